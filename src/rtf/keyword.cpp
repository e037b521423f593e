#include "rtf/keyword.h"

#include <unordered_map>

namespace rtf {

namespace {

using K = Keyword;

const std::unordered_map<std::string_view, Keyword> &table()
{
    static const std::unordered_map<std::string_view, Keyword> words = {
        {"fonttbl", K::FontTable},
        {"colortbl", K::ColorTable},
        {"pict", K::Picture},
        {"pn", K::ParagraphNumbering},
        {"pntxtb", K::NumberingTextBefore},
        {"pntxta", K::NumberingTextAfter},
        {"listtable", K::ListTable},
        {"listoverridetable", K::ListOverrideTable},
        {"leveltext", K::LevelText},
        {"nesttableprops", K::NestedTableProperties},
        {"footnote", K::Footnote},
        {"chftn", K::FootnoteMark},
        {"stylesheet", K::StyleSheet},
        {"s", K::ParagraphStyle},
        {"cs", K::CharacterStyle},
        {"sbasedon", K::StyleBasedOn},
        {"shpinst", K::ShapeInstructions},
        {"sp", K::ShapeProperty},
        {"sn", K::ShapeName},
        {"sv", K::ShapeValue},
        {"shptxt", K::ShapeText},
        {"list", K::List},
        {"listid", K::ListId},
        {"listlevel", K::ListLevelGroup},
        {"levelnfc", K::LevelFormat},
        {"levelnfcn", K::LevelFormat},
        {"levelstartat", K::LevelStart},
        {"listoverride", K::ListOverrideGroup},
        {"upr", K::UnicodePair},
        {"ud", K::UnicodePart},
        // Skipped destinations. Bullets shown by \pntext and \listtext are rebuilt as lists;
        // the alternative picture of \nonshppict would show a picture twice.
        {"info", K::SkippedDestination},
        {"listname", K::SkippedDestination},
        {"levelnumbers", K::SkippedDestination},
        {"lfolevel", K::SkippedDestination},
        {"revtbl", K::SkippedDestination},
        {"rsidtbl", K::SkippedDestination},
        {"filetbl", K::SkippedDestination},
        {"header", K::SkippedDestination},
        {"headerl", K::SkippedDestination},
        {"headerr", K::SkippedDestination},
        {"headerf", K::SkippedDestination},
        {"footer", K::SkippedDestination},
        {"footerl", K::SkippedDestination},
        {"footerr", K::SkippedDestination},
        {"footerf", K::SkippedDestination},
        {"fldinst", K::SkippedDestination},
        {"pntext", K::SkippedDestination},
        {"listtext", K::SkippedDestination},
        {"nonshppict", K::SkippedDestination},
        {"objdata", K::SkippedDestination},
        {"objclass", K::SkippedDestination},
        {"objname", K::SkippedDestination},
        {"xe", K::SkippedDestination},
        {"tc", K::SkippedDestination},
        {"txe", K::SkippedDestination},
        {"bkmkstart", K::SkippedDestination},
        {"bkmkend", K::SkippedDestination},
        {"nonesttables", K::SkippedDestination},
        {"shprslt", K::SkippedDestination},
        {"annotation", K::SkippedDestination},
        {"atnid", K::SkippedDestination},
        {"atnauthor", K::SkippedDestination},
        {"template", K::SkippedDestination},
        {"ftnsep", K::SkippedDestination},
        {"ftnsepc", K::SkippedDestination},
        {"aftnsep", K::SkippedDestination},
        {"aftnsepc", K::SkippedDestination},
        {"ftncn", K::SkippedDestination},
        {"aftncn", K::SkippedDestination},
        {"pgdsctbl", K::SkippedDestination},
        {"rtf", K::Known},
        {"ansi", K::Ansi},
        {"mac", K::Mac},
        {"pc", K::Pc},
        {"pca", K::Pca},
        {"ansicpg", K::AnsiCodePage},
        {"deff", K::DefaultFont},
        {"f", K::Font},
        {"fcharset", K::Charset},
        {"cpg", K::CodePage},
        {"red", K::Red},
        {"green", K::Green},
        {"blue", K::Blue},
        {"plain", K::Plain},
        {"b", K::Bold},
        {"i", K::Italic},
        {"ulnone", K::UnderlineNone},
        {"strike", K::Strike},
        {"striked", K::Strike},
        {"fs", K::FontSize},
        {"afs", K::AssociatedFontSize},
        {"dbch", K::DoubleByte},
        {"loch", K::SingleByte},
        {"hich", K::SingleByte},
        {"cf", K::ColorIndex},
        {"v", K::Hidden},
        {"highlight", K::Highlight},
        {"cb", K::Highlight},
        {"chcbpat", K::Highlight},
        {"super", K::Superscript},
        {"sub", K::Subscript},
        {"nosupersub", K::NoSuperSub},
        {"up", K::RaiseBy},
        {"dn", K::LowerBy},
        {"pard", K::Pard},
        {"ql", K::AlignLeft},
        {"qc", K::AlignCenter},
        {"qr", K::AlignRight},
        {"qj", K::AlignJustify},
        {"li", K::LeftIndent},
        {"lin", K::LeftIndent},
        {"ri", K::RightIndent},
        {"rin", K::RightIndent},
        {"fi", K::FirstIndent},
        {"pnlvlblt", K::NumberingBullet},
        {"pnlvlbody", K::NumberingBody},
        {"pnlvlcont", K::NumberingContinue},
        {"pnlvl", K::NumberingLevel},
        {"pndec", K::NumberingDecimal},
        {"pnucltr", K::NumberingUpperLetter},
        {"pnlcltr", K::NumberingLowerLetter},
        {"pnucrm", K::NumberingUpperRoman},
        {"pnlcrm", K::NumberingLowerRoman},
        {"pnstart", K::NumberingStart},
        {"ls", K::ListOverride},
        {"ilvl", K::ListLevel},
        {"sb", K::SpaceBefore},
        {"sa", K::SpaceAfter},
        {"sl", K::LineSpacing},
        {"slmult", K::LineMultiple},
        {"par", K::Par},
        {"line", K::Line},
        {"tab", K::Tab},
        {"emdash", K::EmDash},
        {"endash", K::EnDash},
        {"bullet", K::Bullet},
        {"lquote", K::LeftQuote},
        {"rquote", K::RightQuote},
        {"ldblquote", K::LeftDoubleQuote},
        {"rdblquote", K::RightDoubleQuote},
        {"emspace", K::EmSpace},
        {"enspace", K::EnSpace},
        {"qmspace", K::QuarterEmSpace},
        {"zwj", K::ZeroWidthJoiner},
        {"zwnj", K::ZeroWidthNonJoiner},
        {"intbl", K::InTable},
        {"itap", K::TableDepth},
        {"cell", K::Cell},
        {"nestcell", K::NestedCell},
        {"row", K::Row},
        {"nestrow", K::NestedRow},
        {"trowd", K::RowDefaults},
        {"cellx", K::CellEdge},
        {"clmgf", K::CellMergeFirst},
        {"clmrg", K::CellMerged},
        {"clvmgf", K::CellMergeDownFirst},
        {"clvmrg", K::CellMergedDown},
        {"clcbpat", K::CellBackground},
        {"clcfpat", K::CellPattern},
        {"clshdng", K::CellShading},
        {"uc", K::UnicodeSkip},
        {"u", K::UnicodeChar},
        {"pngblip", K::PngBlip},
        {"jpegblip", K::JpegBlip},
        {"emfblip", K::MetafileBlip},
        {"wmetafile", K::MetafileBlip},
        {"pmmetafile", K::MetafileBlip},
        {"dibitmap", K::BitmapBlip},
        {"wbitmap", K::BitmapBlip},
        {"macpict", K::MetafileBlip},
        {"picw", K::PictureWidth},
        {"pich", K::PictureHeight},
        {"picwgoal", K::PictureGoalWidth},
        {"pichgoal", K::PictureGoalHeight},
        {"picscalex", K::PictureScaleX},
        {"picscaley", K::PictureScaleY},
        // Known words that only mark structure: not unknown, so \* before them keeps the group.
        {"shppict", K::Known},
        {"fldrslt", K::Known},
        {"field", K::Known},
        {"object", K::Known},
        {"result", K::Known},
    };
    return words;
}

} // namespace

Keyword keyword(std::string_view word)
{
    const auto &words = table();
    const auto it = words.find(word);
    if (it != words.end())
        return it->second;
    // Every kind of underline (\uld, \ulwave, \ulth...) shows as underline; \ulc is its colour.
    if (word.size() >= 2 && word.substr(0, 2) == "ul" && word != "ulc")
        return K::Underline;
    return K::Unknown;
}

char16_t specialCharacter(Keyword word)
{
    switch (word) {
    case K::Line:
        return u'\u2028';
    case K::Tab:
        return u'\t';
    case K::EmDash:
        return u'\u2014';
    case K::EnDash:
        return u'\u2013';
    case K::Bullet:
        return u'\u2022';
    case K::LeftQuote:
        return u'\u2018';
    case K::RightQuote:
        return u'\u2019';
    case K::LeftDoubleQuote:
        return u'\u201c';
    case K::RightDoubleQuote:
        return u'\u201d';
    case K::EmSpace:
        return u'\u2003';
    case K::EnSpace:
        return u'\u2002';
    case K::QuarterEmSpace:
        return u'\u2005';
    case K::ZeroWidthJoiner:
        return u'\u200d';
    case K::ZeroWidthNonJoiner:
        return u'\u200c';
    default:
        return 0;
    }
}

} // namespace rtf
