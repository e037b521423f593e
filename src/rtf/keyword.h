#pragma once

#include <string_view>

namespace rtf {

// The control words the reader acts on. Everything else is ignored, or skipped with its group
// when it follows \*.
enum class Keyword {
    Unknown,
    // destinations read
    FontTable, ColorTable, Picture, ParagraphNumbering, NumberingTextBefore, NumberingTextAfter,
    UnicodePair, UnicodePart, ListTable, ListOverrideTable, LevelText, NestedTableProperties,
    Footnote, FootnoteMark, StyleSheet, ParagraphStyle, CharacterStyle, StyleBasedOn,
    ShapeInstructions, ShapeProperty, ShapeName, ShapeValue, ShapeText,
    // destinations skipped with their group
    SkippedDestination,
    // document
    Known, Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont,
    // list tables
    List, ListId, ListLevelGroup, LevelFormat, LevelStart, ListOverrideGroup,
    // font and colour tables
    Font, Charset, CodePage, Red, Green, Blue,
    // character formats
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, ColorIndex, Hidden,
    AssociatedFontSize, DoubleByte, SingleByte, Highlight, Superscript, Subscript, NoSuperSub,
    RaiseBy, LowerBy,
    // paragraph formats
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent,
    NumberingBullet, NumberingBody, NumberingContinue, NumberingLevel, NumberingDecimal,
    NumberingUpperLetter, NumberingLowerLetter, NumberingUpperRoman, NumberingLowerRoman,
    NumberingStart, ListOverride, ListLevel, SpaceBefore, SpaceAfter, LineSpacing, LineMultiple,
    // breaks and special characters
    Par, Line, Tab, EmDash, EnDash, Bullet, LeftQuote, RightQuote, LeftDoubleQuote,
    RightDoubleQuote, EmSpace, EnSpace, QuarterEmSpace, ZeroWidthJoiner, ZeroWidthNonJoiner,
    // tables
    InTable, TableDepth, Cell, Row, NestedCell, NestedRow, RowDefaults, CellEdge, CellMergeFirst,
    CellMerged, CellMergeDownFirst, CellMergedDown, CellBackground, CellPattern, CellShading,
    // Unicode
    UnicodeSkip, UnicodeChar,
    // picture properties
    PngBlip, JpegBlip, MetafileBlip, BitmapBlip, PictureWidth, PictureHeight, PictureGoalWidth,
    PictureGoalHeight, PictureScaleX, PictureScaleY,
};

Keyword keyword(std::string_view word);

// The character a word like \emdash stands for, or 0.
char16_t specialCharacter(Keyword word);

} // namespace rtf
