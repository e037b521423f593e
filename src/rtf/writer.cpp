#include "rtf/writer.h"

#include "rtf/fonttable.h"
#include "rtf/formatproperties.h"
#include "rtf/units.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace rtf {

namespace {


QString familyOf(const QTextCharFormat &format, const QTextDocument &doc)
{
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
        if (!families.isEmpty() && !families.first().isEmpty())
            return families.first();
    }
    const QString family = format.stringProperty(QTextFormat::FontFamily);
    if (!family.isEmpty())
        return family;
    return doc.defaultFont().family();
}

double pointSizeOf(const QTextCharFormat &format, const QTextDocument &doc)
{
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        return format.fontPointSize();
    const double size = doc.defaultFont().pointSizeF();
    return size > 0 ? size : 12.0;
}

QImage imageOf(const QVariant &resource)
{
    if (resource.canConvert<QImage>() && resource.userType() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.userType() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.userType() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

} // namespace

Writer::Writer(const QTextDocument &doc)
    : m_doc(doc)
{
    fontIndex(doc.defaultFont().family());
}

QByteArray Writer::write()
{
    m_body.reserve(qsizetype(m_doc.characterCount()) * 5 / 4 + 256);
    collectNotes();
    writeFrame(m_doc.rootFrame()->begin(), 0, "par");
    QByteArray out = header();
    out.reserve(out.size() + m_body.bytes().size() + 4);
    out.append(m_body.bytes());
    out.append("}\r\n");
    return out;
}

QByteArray Writer::header() const
{
    RtfStream h;
    h.open();
    h.word("rtf", 1);
    h.word("ansi");
    h.word("ansicpg", 1252);
    h.word("deff", 0);
    h.open();
    h.word("fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        h.open();
        h.word("f", int(i));
        h.word("fnil");
        h.word("fcharset", i == m_symbolFont ? 2 : 0);
        h.text(m_fonts[i]);
        h.raw(QByteArrayLiteral(";"));
        h.close();
    }
    h.close();
    h.newline();
    h.open();
    h.word("colortbl");
    h.raw(QByteArrayLiteral(" ;")); // the leading empty entry is the automatic colour
    for (const QColor &c : m_colors) {
        h.word("red", c.red());
        h.word("green", c.green());
        h.word("blue", c.blue());
        h.raw(QByteArrayLiteral(";"));
    }
    h.close();
    h.newline();
    writeListTables(h);
    h.word("viewkind", 4);
    h.word("uc", 1);
    h.newline();
    return h.bytes();
}

// Qt keeps an empty paragraph in front of a table that opens a frame and after one that ends
// the document; they are not written, as the reader gets them back from Qt anyway.
void Writer::writeFrame(QTextFrame::iterator it, int tableDepth, const char *lastEnd)
{
    bool first = true;
    bool afterTable = false;
    while (!it.atEnd()) {
        const QTextBlock block = it.currentBlock();
        QTextFrame *frame = it.currentFrame();
        ++it;
        const bool onlyQts = block.isValid() && block.length() == 1
            && block.blockFormat() == QTextBlockFormat()
            && ((first && !it.atEnd() && it.currentFrame())
                || (afterTable && tableDepth == 0 && it.atEnd()));
        first = false;
        afterTable = frame != nullptr;
        if (onlyQts || (block.isValid() && isNoteBlock(block)))
            continue;
        if (block.isValid())
            writeBlock(block, tableDepth, it.atEnd() ? lastEnd : "par");
        else if (const auto *table = qobject_cast<const QTextTable *>(frame))
            writeTable(*table, tableDepth + 1);
        else if (frame) // a frame of some other kind: its paragraphs as they stand
            writeFrame(frame->begin(), tableDepth, "par");
    }
}

void Writer::writeBlock(const QTextBlock &block, int tableDepth, const char *end)
{
    writeParagraphFormat(block, tableDepth);
    bool empty = true;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        empty = false;
        const QTextCharFormat format = fragment.charFormat();
        const QString text = fragment.text();
        if (format.objectType() == HiddenTextObject) {
            writeHidden(fragment.charFormatIndex(), format);
            continue;
        }
        if (format.hasProperty(m_inNote ? FootnoteNumberProperty : FootnoteReferenceProperty)) {
            writeChars(fragment.charFormatIndex(), format);
            writeNoteMark(fragment);
            continue;
        }
        if (format.isImageFormat()) {
            for (const QChar c : text) {
                if (c == QChar::ObjectReplacementCharacter)
                    writeImage(format.toImageFormat());
            }
            continue;
        }
        writeChars(fragment.charFormatIndex(), format);
        // Bytes in the Symbol font are that font's glyph codes: only \u says which character.
        m_body.text(text, m_written.font == m_symbolFont ? RtfStream::UnicodeOnly : RtfStream::Windows1252);
    }
    // An empty paragraph keeps the size of its mark, so an empty line stays as high.
    if (empty)
        writeChars(block.charFormatIndex(), block.charFormat());
    else if (m_written.vertical != QTextCharFormat::AlignNormal) {
        // Closed before the paragraph ends: some readers lose a raised last run and the break.
        m_body.word("nosupersub");
        m_written.vertical = QTextCharFormat::AlignNormal;
    }
    if (end) {
        m_body.word(end);
        m_body.newline();
    }
}

void Writer::writeHidden(int formatIndex, const QTextCharFormat &format)
{
    writeChars(formatIndex, format);
    m_body.open();
    m_body.word("v");
    m_body.text(format.stringProperty(HiddenTextProperty),
                m_written.font == m_symbolFont ? RtfStream::UnicodeOnly : RtfStream::Windows1252);
    m_body.close();
}

void Writer::writeParagraphFormat(const QTextBlock &block, int tableDepth)
{
    const QTextBlockFormat format = block.blockFormat();
    m_body.word("pard");
    if (tableDepth > 0)
        m_body.word("intbl");
    if (tableDepth > 1)
        m_body.word("itap", tableDepth);
    if (block.textList()) {
        writeListItem(block);
    } else {
        if (const int fi = twips(format.textIndent()))
            m_body.word("fi", fi);
        if (const int li = twips(format.leftMargin()))
            m_body.word("li", li);
    }
    if (const int ri = twips(format.rightMargin()))
        m_body.word("ri", ri);
    writeSpacing(format);
    const Qt::Alignment align = format.alignment();
    if (align & Qt::AlignHCenter)
        m_body.word("qc");
    else if (align & Qt::AlignJustify)
        m_body.word("qj");
    else if ((align & Qt::AlignRight) || ((align & Qt::AlignTrailing) && !(align & Qt::AlignAbsolute)))
        m_body.word("qr");
}

Writer::Chars Writer::resolve(const QTextCharFormat &format)
{
    Chars c;
    c.font = fontIndex(familyOf(format, m_doc));
    c.halfPoints = qBound(2, int(std::lround(pointSizeOf(format, m_doc) * 2)), 3276);
    const QBrush brush = format.foreground();
    c.color = format.hasProperty(QTextFormat::ForegroundBrush) && brush.style() != Qt::NoBrush
        ? colorIndex(brush.color())
        : 0;
    const QBrush background = format.background();
    c.background = format.hasProperty(QTextFormat::BackgroundBrush) && background.style() != Qt::NoBrush
        ? colorIndex(background.color())
        : 0;
    c.vertical = format.verticalAlignment() == QTextCharFormat::AlignSuperScript
            || format.verticalAlignment() == QTextCharFormat::AlignSubScript
        ? format.verticalAlignment()
        : QTextCharFormat::AlignNormal;
    c.bold = format.fontWeight() >= QFont::DemiBold;
    c.italic = format.fontItalic();
    c.underline = format.fontUnderline();
    c.strike = format.fontStrikeOut();
    return c;
}

void Writer::writeChars(int formatIndex, const QTextCharFormat &format)
{
    auto it = m_resolved.find(formatIndex);
    if (it == m_resolved.end())
        it = m_resolved.emplace(formatIndex, resolve(format)).first;
    const Chars &c = it->second;
    if (c.font != m_written.font)
        m_body.word("f", c.font);
    if (c.halfPoints != m_written.halfPoints)
        m_body.word("fs", c.halfPoints);
    if (c.color != m_written.color)
        m_body.word("cf", c.color);
    if (c.background != m_written.background)
        m_body.word("highlight", c.background);
    if (c.vertical != m_written.vertical) {
        if (c.vertical == QTextCharFormat::AlignSuperScript)
            m_body.word("super");
        else if (c.vertical == QTextCharFormat::AlignSubScript)
            m_body.word("sub");
        else
            m_body.word("nosupersub");
    }
    if (c.bold != m_written.bold)
        c.bold ? m_body.word("b") : m_body.word("b", 0);
    if (c.italic != m_written.italic)
        c.italic ? m_body.word("i") : m_body.word("i", 0);
    if (c.underline != m_written.underline)
        c.underline ? m_body.word("ul") : m_body.word("ulnone");
    if (c.strike != m_written.strike)
        c.strike ? m_body.word("strike") : m_body.word("strike", 0);
    m_written = c;
}

void Writer::writeImage(const QTextImageFormat &format)
{
    const QByteArray raw = format.property(RawPictureProperty).toByteArray();
    if (!raw.isEmpty()) {
        m_body.raw(raw);
        return;
    }
    const QImage image = imageOf(m_doc.resource(QTextDocument::ImageResource, QUrl(format.name())));
    if (image.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return;
    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    m_body.open();
    m_body.word("pict");
    m_body.word("pngblip");
    m_body.word("picw", image.width());
    m_body.word("pich", image.height());
    m_body.word("picwgoal", twips(width));
    m_body.word("pichgoal", twips(height));
    m_body.hex(png);
    m_body.close();
}

int Writer::fontIndex(const QString &family)
{
    const QString name = FontTable::cleanName(family);
    if (name.isEmpty() && !m_fonts.isEmpty())
        return 0;
    const auto it = m_fontIndexes.constFind(name);
    if (it != m_fontIndexes.constEnd())
        return *it;
    const int index = int(m_fonts.size());
    if (name == u"Symbol")
        m_symbolFont = index;
    m_fonts.append(name);
    m_fontIndexes.insert(name, index);
    return index;
}

int Writer::colorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb();
    for (size_t i = 0; i < m_colors.size(); ++i) {
        if (m_colors[i].rgb() == rgb)
            return int(i) + 1;
    }
    m_colors.push_back(color);
    return int(m_colors.size());
}

} // namespace rtf
