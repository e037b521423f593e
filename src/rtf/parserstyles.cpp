// The parser's style sheet and drawing shapes.

#include "rtf/parser.h"

namespace rtf {

void Parser::onStyleWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::ParagraphStyle:
        m_styles.setStyle(StyleSheet::Paragraph, token.param);
        break;
    case Keyword::CharacterStyle:
        m_styles.setStyle(StyleSheet::Character, token.param);
        break;
    case Keyword::StyleBasedOn:
        m_styles.setBase(token.param);
        break;
    case Keyword::SkippedDestination:
        state().destination = Destination::Skip;
        break;
    case Keyword::Pard: // these start afresh or place the paragraph: no style's business
    case Keyword::Plain:
    case Keyword::InTable:
    case Keyword::TableDepth:
        break;
    default:
        m_styles.addWord(word, token.param, token.hasParam);
    }
}

// The style's formats as if its words stood here; the words after it in the text win.
void Parser::applyStyle(StyleSheet::Kind kind, int number)
{
    for (const StyleSheet::Word &word : m_styles.words(kind, number)) {
        Token token;
        token.type = Token::ControlWord;
        token.param = word.param;
        token.hasParam = word.hasParam;
        if (!onCharWord(word.keyword, token) && kind == StyleSheet::Paragraph)
            onParaWord(word.keyword, token);
    }
}

// {\sp{\sn pib}{\sv {\pict ...}}} is the shape's picture; \shptxt is read as text where the shape
// stands. Everything else of a shape only places or draws it.
void Parser::onShapeWord(Keyword word)
{
    GroupState &s = state();
    switch (word) {
    case Keyword::ShapeName:
        m_shapeName.clear();
        s.destination = Destination::ShapeName;
        break;
    case Keyword::ShapeValue:
        s.destination = m_shapeName == "pib" ? Destination::Normal : Destination::Skip;
        break;
    case Keyword::ShapeText:
        s.destination = Destination::Normal;
        break;
    case Keyword::ShapeInstructions:
        s.destination = Destination::Shape;
        break;
    case Keyword::SkippedDestination:
        s.destination = Destination::Skip;
        break;
    default:
        break;
    }
}

} // namespace rtf
