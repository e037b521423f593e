#include "rtf/parser.h"

#include "rtf/formats.h"
#include "rtf/formatproperties.h"

#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace rtf {

namespace {

constexpr size_t MaxDepth = 1024;
constexpr int MaxIndent = 31680; // 22 inches in twips
constexpr int MaxTableDepth = 16;

int boundedIndent(int twips)
{
    return qBound(-MaxIndent, twips, MaxIndent);
}

void appendNumberingText(QString &to, const QString &text)
{
    to.append(text.left(qMax(qsizetype(0), Numbering::MaxText - to.size())));
}

bool isNumberingDestination(Destination d)
{
    return d == Destination::Numbering || d == Destination::NumberingBefore
        || d == Destination::NumberingAfter;
}

bool isOn(const Token &token)
{
    return !token.hasParam || token.param != 0;
}

} // namespace

Parser::Parser(const QByteArray &data, QTextDocument *doc)
    : m_data(data)
    , m_doc(doc)
    , m_tokens(m_data)
    , m_builder(doc)
{
    m_stack.reserve(64);
    m_stack.emplace_back();
}

void Parser::run()
{
    for (;;) {
        const Token token = m_tokens.next();
        if (token.type != Token::Text && token.type != Token::HexByte)
            flushBytes();
        if (token.type != Token::ControlWord)
            m_starPending = m_starPending && token.type == Token::ControlSymbol && token.symbol == '*';
        switch (token.type) {
        case Token::End:
            finishDocument();
            return;
        case Token::GroupOpen:
            openGroup();
            break;
        case Token::GroupClose:
            if (!closeGroup(token.offset))
                return;
            break;
        default:
            if (m_overflow > 0)
                break;
            if (m_skipUnits > 0 && token.type != Token::Text && token.type != Token::Binary) {
                --m_skipUnits;
                break;
            }
            if (token.type == Token::ControlWord)
                onWord(token);
            else if (token.type == Token::ControlSymbol)
                onSymbol(token.symbol);
            else if (token.type == Token::HexByte)
                onText(std::string_view(reinterpret_cast<const char *>(&token.hexByte), 1));
            else if (token.type == Token::Text)
                onText(token.bytes);
            else
                onBinary(token.bytes);
        }
    }
}

void Parser::openGroup()
{
    m_skipUnits = 0;
    if (m_overflow > 0 || m_stack.size() >= MaxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
    if (state().destination == Destination::StyleSheet) {
        m_styles.beginEntry();
        state().destination = Destination::StyleEntry;
    }
}

bool Parser::closeGroup(qsizetype offset)
{
    m_skipUnits = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return true;
    }
    if (m_stack.size() <= 2) { // the document's group; text after it is not read
        finishDocument();
        return false;
    }
    if (m_stack.back().footnote && !m_stack[m_stack.size() - 2].footnote)
        endFootnote();
    const GroupState closed = m_stack.back();
    m_stack.pop_back();
    GroupState &parent = state();
    if (closed.destination == Destination::Picture && m_stack.size() + 1 == m_pictureDepth)
        endPicture(offset);
    else if (closed.destination == Destination::FontTable)
        m_fonts.endEntry();
    else if (closed.destination == Destination::ListLevelText && parent.destination != closed.destination)
        m_lists.endLevelText();
    // \pn sits in a group of its own but describes the paragraph around it, as its text
    // groups describe the \pn around them.
    if (isNumberingDestination(closed.destination)) {
        parent.para.numbering = closed.para.numbering;
        m_numberingGiven = m_numberingGiven || !isNumberingDestination(parent.destination);
    }
    return true;
}

void Parser::finishDocument()
{
    flushSurrogate();
    if (state().footnote) {
        endFootnote();
        state().footnote = 0;
        state().para = ParaState();
    }
    m_builder.finish(paragraphEnd(state().para.tableDepth));
    appendNotes();
}

void Parser::onWord(const Token &token)
{
    const Keyword word = keyword(token.bytes);
    const bool star = m_starPending;
    m_starPending = false;
    GroupState &s = state();
    if (s.destination == Destination::Skip)
        return;
    if (star && word == Keyword::Unknown) {
        s.destination = Destination::Skip;
        return;
    }
    if (s.destination == Destination::UnicodePair) {
        if (word == Keyword::UnicodePart)
            s.destination = s.beforeUnicodePair;
        return;
    }
    if (word == Keyword::UnicodeChar) {
        if (takesText() && token.hasParam) {
            const int unit = token.param < 0 ? token.param + 65536 : token.param;
            appendUnit(unit >= 0 && unit <= 0xffff ? char16_t(unit) : u'\ufffd');
        }
        m_skipUnits = s.unicodeSkip;
        return;
    }
    if (word == Keyword::UnicodeSkip) {
        s.unicodeSkip = token.hasParam ? qBound(0, token.param, 16) : 1;
        return;
    }
    if (word == Keyword::UnicodePair) {
        s.beforeUnicodePair = s.destination;
        s.destination = Destination::UnicodePair;
        return;
    }
    switch (s.destination) {
    case Destination::FontTable:
        if (word == Keyword::Font)
            m_fonts.beginEntry(token.hasParam ? token.param : 0);
        else if (word == Keyword::Charset)
            m_fonts.setCharset(token.param);
        else if (word == Keyword::CodePage)
            m_fonts.setCodePage(Decoder::supportedCodePage(token.param));
        else if (word == Keyword::SkippedDestination)
            s.destination = Destination::Skip;
        return;
    case Destination::ColorTable:
        if (word == Keyword::Red)
            m_colors.setRed(token.param);
        else if (word == Keyword::Green)
            m_colors.setGreen(token.param);
        else if (word == Keyword::Blue)
            m_colors.setBlue(token.param);
        return;
    case Destination::Picture:
        if (word == Keyword::SkippedDestination)
            s.destination = Destination::Skip;
        else
            m_picture.applyWord(word, token.param);
        return;
    case Destination::Numbering:
    case Destination::NumberingBefore:
    case Destination::NumberingAfter:
        onNumberingWord(word, token);
        return;
    case Destination::ListTable:
    case Destination::ListLevelText:
        onListTableWord(word, token);
        return;
    case Destination::ListOverrideTable:
        onListOverrideWord(word, token);
        return;
    case Destination::NestedTableProperties:
        onNestedTableWord(word, token);
        return;
    case Destination::StyleSheet:
        return;
    case Destination::Shape:
    case Destination::ShapeName:
        onShapeWord(word);
        return;
    case Destination::StyleEntry:
        onStyleWord(word, token);
        return;
    default:
        break;
    }
    onDestinationWord(word, token);
}

void Parser::onDestinationWord(Keyword word, const Token &token)
{
    GroupState &s = state();
    switch (word) {
    case Keyword::FontTable:
        s.destination = Destination::FontTable;
        return;
    case Keyword::ColorTable:
        s.destination = Destination::ColorTable;
        return;
    case Keyword::Picture:
        beginPicture(token.offset);
        return;
    case Keyword::ParagraphNumbering:
        s.destination = Destination::Numbering;
        s.para.numbering = Numbering();
        s.para.numbering.kind = Numbering::Numbered;
        return;
    case Keyword::ListTable:
        s.destination = Destination::ListTable;
        return;
    case Keyword::ListOverrideTable:
        s.destination = Destination::ListOverrideTable;
        return;
    case Keyword::NestedTableProperties:
        s.destination = Destination::NestedTableProperties;
        return;
    case Keyword::Footnote:
        beginFootnote();
        return;
    case Keyword::StyleSheet:
        s.destination = Destination::StyleSheet;
        return;
    case Keyword::ShapeInstructions:
        s.destination = Destination::Shape;
        return;
    case Keyword::SkippedDestination:
        s.destination = Destination::Skip;
        return;
    default:
        onDocumentWord(word, token);
    }
}

void Parser::onDocumentWord(Keyword word, const Token &token)
{
    switch (word) {
    case Keyword::Ansi:
        m_ansiCodePage = 1252;
        return;
    case Keyword::Mac:
        m_ansiCodePage = 10000;
        return;
    case Keyword::Pc:
        m_ansiCodePage = 437;
        return;
    case Keyword::Pca:
        m_ansiCodePage = 850;
        return;
    case Keyword::AnsiCodePage:
        m_ansiCodePage = Decoder::supportedCodePage(token.param);
        return;
    case Keyword::DefaultFont:
        m_defaultFont = token.param;
        return;
    case Keyword::Par:
        endParagraph();
        return;
    case Keyword::FootnoteMark:
        appendNoteMark();
        return;
    default:
        if (const char16_t c = specialCharacter(word))
            appendChar(c);
        else if (!onCharWord(word, token) && !onParaWord(word, token))
            onTableWord(word, token);
    }
}

bool Parser::onCharWord(Keyword word, const Token &token)
{
    CharState &c = state().chars;
    switch (word) {
    case Keyword::Plain:
        c = CharState();
        return true;
    case Keyword::CharacterStyle:
        applyStyle(StyleSheet::Character, token.param);
        return true;
    case Keyword::Font:
        c.font = qMax(0, token.param);
        return true;
    case Keyword::FontSize:
        if (token.param > 0)
            c.halfPoints = qMin(token.param, 3276);
        return true;
    case Keyword::AssociatedFontSize:
        if (token.param > 0)
            c.associatedHalfPoints = qMin(token.param, 3276);
        return true;
    case Keyword::DoubleByte:
        c.doubleByte = true;
        return true;
    case Keyword::SingleByte:
        c.doubleByte = false;
        return true;
    case Keyword::ColorIndex:
        c.color = qMax(0, token.param);
        return true;
    case Keyword::Bold:
        c.bold = isOn(token);
        return true;
    case Keyword::Italic:
        c.italic = isOn(token);
        return true;
    case Keyword::Underline:
        c.underline = isOn(token);
        return true;
    case Keyword::UnderlineNone:
        c.underline = false;
        return true;
    case Keyword::Strike:
        c.strike = isOn(token);
        return true;
    case Keyword::Hidden:
        c.hidden = isOn(token);
        return true;
    case Keyword::Highlight:
        c.background = qMax(0, token.param);
        return true;
    case Keyword::Superscript:
        c.vertical = CharState::Super;
        return true;
    case Keyword::Subscript:
        c.vertical = CharState::Sub;
        return true;
    case Keyword::NoSuperSub:
        c.vertical = CharState::Baseline;
        return true;
    case Keyword::RaiseBy:
        c.vertical = !token.hasParam || token.param > 0 ? CharState::Super : CharState::Baseline;
        return true;
    case Keyword::LowerBy:
        c.vertical = !token.hasParam || token.param > 0 ? CharState::Sub : CharState::Baseline;
        return true;
    default:
        return false;
    }
}

bool Parser::onParaWord(Keyword word, const Token &token)
{
    ParaState &p = state().para;
    switch (word) {
    case Keyword::Pard:
        p = ParaState();
        return true;
    case Keyword::ParagraphStyle:
        applyStyle(StyleSheet::Paragraph, token.param);
        return true;
    case Keyword::AlignLeft:
        p.alignment = ParaState::Left;
        return true;
    case Keyword::AlignCenter:
        p.alignment = ParaState::Center;
        return true;
    case Keyword::AlignRight:
        p.alignment = ParaState::Right;
        return true;
    case Keyword::AlignJustify:
        p.alignment = ParaState::Justify;
        return true;
    case Keyword::LeftIndent:
        p.leftIndent = boundedIndent(token.param);
        return true;
    case Keyword::RightIndent:
        p.rightIndent = boundedIndent(token.param);
        return true;
    case Keyword::FirstIndent:
        p.firstIndent = boundedIndent(token.param);
        return true;
    case Keyword::SpaceBefore:
        p.spaceBefore = qBound(0, token.param, MaxIndent);
        return true;
    case Keyword::SpaceAfter:
        p.spaceAfter = qBound(0, token.param, MaxIndent);
        return true;
    case Keyword::LineSpacing:
        p.lineSpacing = boundedIndent(token.param);
        return true;
    case Keyword::LineMultiple:
        p.lineMultiple = isOn(token);
        return true;
    case Keyword::ListOverride:
        p.listOverride = qMax(0, token.param);
        return true;
    case Keyword::ListLevel:
        p.listLevel = qBound(0, token.param, 8);
        return true;
    case Keyword::InTable:
        p.tableDepth = isOn(token) ? qMax(1, p.tableDepth) : 0;
        return true;
    case Keyword::TableDepth:
        p.tableDepth = qBound(0, token.param, MaxTableDepth);
        return true;
    default:
        return false;
    }
}

void Parser::onNumberingWord(Keyword word, const Token &token)
{
    Numbering &n = state().para.numbering;
    switch (word) {
    case Keyword::NumberingBullet:
        n.kind = Numbering::Bullet;
        break;
    case Keyword::NumberingBody:
    case Keyword::NumberingLevel:
        n.kind = Numbering::Numbered;
        break;
    case Keyword::NumberingContinue:
        n.kind = Numbering::NoList;
        break;
    case Keyword::NumberingDecimal:
        n.style = Numbering::Decimal;
        break;
    case Keyword::NumberingUpperLetter:
        n.style = Numbering::UpperLetter;
        break;
    case Keyword::NumberingLowerLetter:
        n.style = Numbering::LowerLetter;
        break;
    case Keyword::NumberingUpperRoman:
        n.style = Numbering::UpperRoman;
        break;
    case Keyword::NumberingLowerRoman:
        n.style = Numbering::LowerRoman;
        break;
    case Keyword::NumberingStart:
        n.start = qBound(0, token.param, 32767);
        break;
    case Keyword::NumberingTextBefore:
        n.prefix.clear();
        state().destination = Destination::NumberingBefore;
        break;
    case Keyword::NumberingTextAfter:
        n.suffix.clear();
        state().destination = Destination::NumberingAfter;
        break;
    case Keyword::SkippedDestination:
        state().destination = Destination::Skip;
        break;
    default:
        break;
    }
}

void Parser::onSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        onText(std::string_view(&symbol, 1));
        break;
    case '~':
        appendChar(u'\u00a0');
        break;
    case '-':
        appendChar(u'\u00ad');
        break;
    case '_':
        appendChar(u'\u2011');
        break;
    case '\n':
        if (state().destination == Destination::Normal)
            endParagraph();
        break;
    case '*':
        m_starPending = true;
        break;
    default:
        break;
    }
}

void Parser::onText(std::string_view bytes)
{
    if (m_skipUnits > 0) {
        const auto skipped = qMin(size_t(m_skipUnits), bytes.size());
        bytes.remove_prefix(skipped);
        m_skipUnits -= int(skipped);
    }
    if (bytes.empty())
        return;
    switch (state().destination) {
    case Destination::Normal:
    case Destination::FontTable:
    case Destination::NumberingBefore:
    case Destination::NumberingAfter:
        m_bytes.append(bytes);
        break;
    case Destination::ListLevelText:
        // The length and the level placeholders are control bytes, which decoding drops.
        for (const char b : bytes) {
            if ((unsigned char)b >= 0x20) {
                m_bytes.push_back(b);
                continue;
            }
            flushBytes();
            m_lists.appendLevelText(QString(QChar(char16_t((unsigned char)b))));
        }
        break;
    case Destination::ColorTable:
        m_colors.appendText(bytes);
        break;
    case Destination::ShapeName:
        if (m_shapeName.size() < 64)
            m_shapeName.append(bytes.substr(0, 64));
        break;
    case Destination::Picture:
        m_picture.appendHex(bytes);
        break;
    default:
        break;
    }
}

void Parser::onBinary(std::string_view bytes)
{
    if (state().destination == Destination::Picture)
        m_picture.appendBinary(bytes);
}

void Parser::beginPicture(qsizetype offset)
{
    if (state().destination != Destination::Normal) {
        state().destination = Destination::Skip;
        return;
    }
    state().destination = Destination::Picture;
    flushSurrogate();
    m_picture.begin();
    m_pictureDepth = m_stack.size();
    m_pictureStart = offset;
}

void Parser::endPicture(qsizetype end)
{
    const PictureReader::Picture picture = m_picture.picture();
    const QString name = QStringLiteral("rtf-picture-%1").arg(++m_pictureCount);
    m_doc->addResource(QTextDocument::ImageResource, QUrl(name), picture.image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(picture.size.width());
    format.setHeight(picture.size.height());
    // From \pict on: whatever came between the '{' and \pict was read as text already.
    QByteArray raw = m_data.mid(m_pictureStart, end + 1 - m_pictureStart);
    raw.prepend('{');
    format.setProperty(RawPictureProperty, raw);
    builder().appendObject(format);
}

void Parser::flushBytes()
{
    if (m_bytes.empty())
        return;
    m_decoded.clear();
    m_decoder.decode(m_bytes, codePage(), m_decoded);
    m_bytes.clear();
    appendText(m_decoded);
}

bool Parser::takesText() const
{
    const Destination d = m_stack.back().destination;
    return d == Destination::Normal || d == Destination::FontTable || d == Destination::NumberingBefore
        || d == Destination::NumberingAfter || d == Destination::ListLevelText;
}

void Parser::appendText(const QString &text)
{
    flushSurrogate();
    switch (state().destination) {
    case Destination::FontTable:
        m_fonts.appendName(text);
        return;
    case Destination::NumberingBefore:
        appendNumberingText(state().para.numbering.prefix, text);
        return;
    case Destination::NumberingAfter:
        appendNumberingText(state().para.numbering.suffix, text);
        return;
    case Destination::ListLevelText:
        m_lists.appendLevelText(text);
        return;
    case Destination::Normal:
        break;
    default:
        return;
    }
    const QTextCharFormat &format = charFormat(); // may renew m_formatId
    if (state().chars.hidden)
        builder().appendHidden(text, format, m_formatId);
    else
        builder().appendText(text, format, m_formatId);
}

void Parser::appendUnit(char16_t unit)
{
    if (QChar::isLowSurrogate(unit) && m_highSurrogate) {
        const char16_t pair[] = {m_highSurrogate, unit};
        m_highSurrogate = 0;
        flushBytes();
        appendText(QString(reinterpret_cast<const QChar *>(pair), 2));
        return;
    }
    flushSurrogate();
    if (QChar::isHighSurrogate(unit)) {
        flushBytes();
        m_highSurrogate = unit;
        return;
    }
    appendChar(QChar::isLowSurrogate(unit) ? u'\ufffd' : unit);
}

void Parser::flushSurrogate()
{
    if (!m_highSurrogate)
        return;
    m_highSurrogate = 0;
    appendText(QString(QChar(u'\ufffd')));
}

void Parser::appendChar(char16_t c)
{
    if (!takesText())
        return;
    flushBytes();
    appendText(QString(QChar(c)));
}

void Parser::endParagraph()
{
    if (state().destination != Destination::Normal)
        return;
    flushSurrogate();
    builder().endParagraph(paragraphEnd(state().para.tableDepth));
}

ParagraphEnd Parser::paragraphEnd(int tableDepth)
{
    const ParaState &p = state().para;
    const Numbering numbering = paragraphNumbering();
    ParagraphEnd end;
    end.block = Formats::blockFormat(p, numbering.kind != Numbering::NoList);
    const bool wordList = p.listOverride > 0 && m_lists.level(p.listOverride, 0);
    end.list = Formats::listFormat(numbering, p, wordList);
    end.listId = p.numbering.kind == Numbering::NoList || wordList ? p.listOverride : 0;
    end.numberingGiven = m_numberingGiven;
    m_numberingGiven = false;
    end.mark = charFormat();
    end.tableDepth = tableDepth;
    if (state().footnote)
        end.block.setProperty(FootnoteProperty, state().footnote);
    return end;
}

// A Word list is what its table says; \pn, which Word writes next to it for older readers,
// counts only where the table does not know the list.
Numbering Parser::paragraphNumbering() const
{
    const ParaState &p = m_stack.back().para;
    if (p.listOverride <= 0)
        return p.numbering;
    if (const Numbering *level = m_lists.level(p.listOverride, p.listLevel))
        return *level;
    if (p.numbering.kind != Numbering::NoList)
        return p.numbering;
    Numbering bullet;
    bullet.kind = Numbering::Bullet;
    return bullet;
}

int Parser::codePage()
{
    if (state().destination == Destination::ListLevelText)
        return m_ansiCodePage;
    if (state().destination == Destination::FontTable) {
        const int entry = m_fonts.entryCodePage();
        return entry > 0 ? entry : m_ansiCodePage;
    }
    const int number = state().chars.font < 0 ? m_defaultFont : state().chars.font;
    const FontTable::Font *font = m_fonts.font(number);
    return font && font->codePage > 0 ? font->codePage : m_ansiCodePage;
}

const QTextCharFormat &Parser::charFormat()
{
    const CharState &c = state().chars;
    if (m_formatId > 0 && c == m_formatKey)
        return m_format;
    m_formatKey = c;
    ++m_formatId;
    const FontTable::Font *font = m_fonts.font(c.font < 0 ? m_defaultFont : c.font);
    if (!font)
        font = m_fonts.font(m_defaultFont);
    m_format = Formats::charFormat(c, font ? font->family : QString(), m_colors);
    return m_format;
}

} // namespace rtf
