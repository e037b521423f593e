#pragma once

#include <QString>

namespace rtf {

struct CharState {
    enum Vertical : quint8 { Baseline, Super, Sub };

    int font = -1; // -1: the default font of \deff
    int halfPoints = 24;
    int associatedHalfPoints = 0; // \afs: the size of double-byte text after \dbch
    int color = 0;
    int background = 0; // \highlight, \cb: 0 is none
    Vertical vertical = Baseline;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool doubleByte = false;

    bool operator==(const CharState &o) const
    {
        return font == o.font && halfPoints == o.halfPoints && color == o.color
            && background == o.background && vertical == o.vertical && bold == o.bold
            && italic == o.italic && underline == o.underline && strike == o.strike
            && hidden == o.hidden && doubleByte == o.doubleByte
            && associatedHalfPoints == o.associatedHalfPoints;
    }
    bool operator!=(const CharState &o) const { return !(*this == o); }
};

// One level of a list, as \pn or the list table of \ls describes it.
struct Numbering {
    enum Kind : quint8 { NoList, Bullet, Numbered };
    enum Style : quint8 { Decimal, UpperLetter, LowerLetter, UpperRoman, LowerRoman };

    // Longer text around a number is cut here, when read from \pn or from a list table alike.
    static constexpr qsizetype MaxText = 16;

    Kind kind = NoList;
    Style style = Decimal;
    int start = 1;
    QString prefix; // \pntxtb: before the number
    QString suffix; // \pntxta: after it
};

struct ParaState {
    enum Alignment : quint8 { Left, Center, Right, Justify };

    int leftIndent = 0; // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0; // \sl: 0 single, > 0 at least, < 0 exactly; a multiple of 240 with \slmult
    bool lineMultiple = false;
    int listOverride = 0; // \ls: an entry of the list override table
    int listLevel = 0;
    int tableDepth = 0; // \intbl, \itap
    Alignment alignment = Left;
    Numbering numbering; // \pn
};

enum class Destination : quint8 {
    Normal,
    Skip,
    FontTable,
    ColorTable,
    Picture,
    Numbering, // \pn: its words describe the paragraph's list
    NumberingBefore, // \pntxtb
    NumberingAfter, // \pntxta
    ListTable,
    ListLevelText, // \leveltext
    ListOverrideTable,
    NestedTableProperties,
    UnicodePair, // \upr: the text for old readers, skipped until \ud
    StyleSheet,
    StyleEntry, // a style of the sheet: its words are kept for where the text names it
    Shape,      // \shpinst: only its picture (the property pib) and the text of a text box are read
    ShapeName,  // \sn
};

// Everything a group saves at '{' and gets back at '}'. The encoding follows the font.
struct GroupState {
    CharState chars;
    ParaState para;
    int unicodeSkip = 1; // \uc
    int footnote = 0; // the number of the footnote the group is in, 0 in the body
    Destination destination = Destination::Normal;
    Destination beforeUnicodePair = Destination::Normal;
};

} // namespace rtf
