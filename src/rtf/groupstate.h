#pragma once

#include <QtGlobal>

namespace rtf {

struct CharState {
    int font = -1; // -1: the default font of \deff
    int halfPoints = 24;
    int associatedHalfPoints = 0; // \afs: the size of double-byte text after \dbch
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool doubleByte = false;

    bool operator==(const CharState &o) const
    {
        return font == o.font && halfPoints == o.halfPoints && color == o.color && bold == o.bold
            && italic == o.italic && underline == o.underline && strike == o.strike
            && hidden == o.hidden && doubleByte == o.doubleByte
            && associatedHalfPoints == o.associatedHalfPoints;
    }
    bool operator!=(const CharState &o) const { return !(*this == o); }
};

struct ParaState {
    enum Alignment : quint8 { Left, Center, Right, Justify };
    enum ListKind : quint8 { NoList, Bullet, Numbered };
    enum NumberStyle : quint8 { Decimal, UpperLetter, LowerLetter, UpperRoman, LowerRoman };

    int leftIndent = 0; // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int listLevel = 0;
    Alignment alignment = Left;
    ListKind list = NoList;
    NumberStyle numberStyle = Decimal;
    bool inTable = false;
};

enum class Destination : quint8 {
    Normal,
    Skip,
    FontTable,
    ColorTable,
    Picture,
    Numbering, // \pn: its words describe the paragraph's bullet
    UnicodePair, // \upr: the text for old readers, skipped until \ud
};

// Everything a group saves at '{' and gets back at '}'. The encoding follows the font.
struct GroupState {
    CharState chars;
    ParaState para;
    int unicodeSkip = 1; // \uc
    Destination destination = Destination::Normal;
    Destination beforeUnicodePair = Destination::Normal;
};

} // namespace rtf
