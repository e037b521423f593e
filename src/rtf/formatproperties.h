#pragma once

#include <QTextFormat>

namespace rtf {

// Image formats read from RTF keep their whole {\pict ...} group under this property, so that
// a save writes the picture back byte for byte, also the kinds shown only as a grey box.
constexpr int RawPictureProperty = QTextFormat::UserProperty + 0x5254;

// The number of a list's first item (\pnstart, \levelstartat). This Qt numbers every list from
// 1, so it is kept for the save.
constexpr int ListStartProperty = QTextFormat::UserProperty + 0x5255;

// Hidden text (\v) is an inline object without a handler, so it takes no room and is not shown;
// its text is written back hidden in the format of the object.
constexpr int HiddenTextObject = QTextFormat::UserObject + 0x5256;
constexpr int HiddenTextProperty = QTextFormat::UserProperty + 0x5257;

// Footnotes are shown at the end of the document, under a short rule: the reference in the text
// and the number in front of the note are superscript runs that name the note, every paragraph
// of the note names it too, and the writer puts the note back behind its reference.
constexpr int FootnoteReferenceProperty = QTextFormat::UserProperty + 0x5258;
constexpr int FootnoteNumberProperty = QTextFormat::UserProperty + 0x5259;
constexpr int FootnoteProperty = QTextFormat::UserProperty + 0x525a;
constexpr int FootnoteRuleProperty = QTextFormat::UserProperty + 0x525b;

} // namespace rtf
