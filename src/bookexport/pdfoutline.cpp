#include "bookexport/pdfoutline.h"

#include <QFile>
#include <QRegularExpression>

#include <unistd.h>

namespace bookexport {

namespace {

constexpr qint64 kMaxObjectBytes = 16 * 1024 * 1024;

struct Trailer {
    qint64 xref = -1;
    int size = 0;
    int root = 0;
    QByteArray info; // "/Info n 0 R", or empty
    QByteArray id;   // "/ID [...]", or empty
};

int capturedInt(const QByteArray &text, const char *pattern)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QString::fromLatin1(pattern)).match(QString::fromLatin1(text));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray captured(const QByteArray &text, const char *pattern)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QString::fromLatin1(pattern)).match(QString::fromLatin1(text));
    return m.hasMatch() ? m.captured(0).toLatin1() : QByteArray();
}

class PdfReader {
public:
    explicit PdfReader(QFile &file)
        : m_file(file)
    {
    }

    bool readTrailer(Trailer *t)
    {
        const qint64 size = m_file.size();
        const qint64 from = qMax<qint64>(0, size - 2048);
        if (!m_file.seek(from))
            return false;
        const QByteArray tail = m_file.read(size - from);
        const qsizetype trailerAt = tail.lastIndexOf("trailer");
        const qsizetype startAt = tail.lastIndexOf("startxref");
        if (trailerAt < 0 || startAt < trailerAt)
            return false;
        const QByteArray dict = tail.mid(trailerAt, startAt - trailerAt);
        t->xref = tail.mid(startAt + 9).trimmed().split('\n').value(0).trimmed().toLongLong();
        t->size = capturedInt(dict, "/Size\\s+(\\d+)");
        t->root = capturedInt(dict, "/Root\\s+(\\d+)\\s+0\\s+R");
        t->info = captured(dict, "/Info\\s+\\d+\\s+0\\s+R");
        t->id = captured(dict, "/ID\\s*\\[[^\\]]*\\]");
        return t->xref > 0 && t->size > 0 && t->root > 0 && dict.indexOf("/Prev") < 0;
    }

    // The table's one section, "0 size"; every entry is 20 bytes.
    bool readXref(qint64 at, int size)
    {
        if (!m_file.seek(at))
            return false;
        const QByteArray head = m_file.read(64);
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^xref\\s+0\\s+(\\d+)\\s*?\\n"))
                                              .match(QString::fromLatin1(head));
        if (!m.hasMatch() || m.captured(1).toInt() != size)
            return false;
        m_entries = at + m.capturedEnd(0);
        m_size = size;
        return true;
    }

    QByteArray object(int number)
    {
        if (number <= 0 || number >= m_size || !m_file.seek(m_entries + qint64(number) * 20))
            return {};
        const QByteArray entry = m_file.read(20);
        if (entry.size() != 20 || entry.at(17) != 'n')
            return {};
        if (!m_file.seek(entry.left(10).toLongLong()))
            return {};
        QByteArray text;
        while (text.size() < kMaxObjectBytes) {
            const QByteArray chunk = m_file.read(64 * 1024);
            if (chunk.isEmpty())
                return {};
            text += chunk;
            const qsizetype end = text.indexOf("endobj");
            if (end >= 0)
                return text.left(end);
        }
        return {};
    }

private:
    QFile &m_file;
    qint64 m_entries = 0;
    int m_size = 0;
};

QByteArray pdfText(const QString &text)
{
    // UTF-16 with a byte-order mark holds every Danish letter; as hex nothing needs escaping.
    QByteArray bytes("<FEFF");
    for (const QChar c : text)
        bytes += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return bytes + '>';
}

struct Numbered {
    const OutlineItem *item;
    int number;
    int parent;
    int first = 0;
    int last = 0;
    int prev = 0;
    int next = 0;
    int count = 0;
};

// Numbers the items depth first from *next; a category is shown closed, its count negative.
// Gives the indexes in out of the items at this level.
QList<qsizetype> number(const QList<OutlineItem> &items, int parent, int *next, QList<Numbered> *out)
{
    QList<qsizetype> level;
    for (const OutlineItem &item : items) {
        const qsizetype index = out->size();
        out->append({&item, (*next)++, parent});
        if (!level.isEmpty()) {
            (*out)[level.last()].next = (*out)[index].number;
            (*out)[index].prev = (*out)[level.last()].number;
        }
        level.append(index);
        if (!item.children.isEmpty()) {
            const QList<qsizetype> children = number(item.children, (*out)[index].number, next, out);
            (*out)[index].first = (*out)[children.first()].number;
            (*out)[index].last = (*out)[children.last()].number;
            (*out)[index].count = -int(children.size());
        }
    }
    return level;
}

} // namespace

QString appendOutline(QFile &file, const QString &pdfName, const QList<OutlineItem> &items)
{
    const QString unreadable = QStringLiteral("Bogmærkerne kunne ikke føjes til PDF-filen \"%1\"").arg(pdfName);
    if (!file.flush())
        return unreadable;
    PdfReader reader(file);
    Trailer trailer;
    if (!reader.readTrailer(&trailer) || !reader.readXref(trailer.xref, trailer.size))
        return unreadable;
    const QByteArray catalog = reader.object(trailer.root);
    const int pagesNumber = capturedInt(catalog, "/Pages\\s+(\\d+)\\s+0\\s+R");
    const QByteArray pages = reader.object(pagesNumber);
    const qsizetype kidsAt = pages.indexOf("/Kids");
    const qsizetype kidsEnd = pages.indexOf(']', kidsAt);
    if (catalog.indexOf("/Outlines") >= 0 || kidsAt < 0 || kidsEnd < 0)
        return unreadable;
    QList<int> pageNumbers;
    const QRegularExpression ref(QStringLiteral("(\\d+)\\s+0\\s+R"));
    for (auto it = ref.globalMatch(QString::fromLatin1(pages.mid(kidsAt, kidsEnd - kidsAt))); it.hasNext();)
        pageNumbers.append(it.next().captured(1).toInt());
    if (capturedInt(pages, "/Count\\s+(\\d+)") != pageNumbers.size())
        return unreadable; // a nested page tree: the toolkit writes none

    const qsizetype catalogDict = catalog.indexOf("<<");
    const qsizetype catalogEnd = catalog.lastIndexOf(">>");
    if (catalogDict < 0 || catalogEnd < catalogDict)
        return unreadable;

    const int outlinesNumber = trailer.size;
    int next = outlinesNumber + 1;
    QList<Numbered> numbered;
    const QList<qsizetype> top = number(items, outlinesNumber, &next, &numbered);
    for (const Numbered &n : numbered)
        if (n.item->page < 0 || n.item->page >= pageNumbers.size())
            return unreadable;

    QByteArray update;
    QList<std::pair<int, qint64>> offsets;
    const qint64 start = file.size();
    const auto object = [&](int id, const QByteArray &body) {
        offsets.append({id, start + update.size()});
        update += QByteArray::number(id) + " 0 obj\n" + body + "\nendobj\n";
    };
    update += '\n';
    object(trailer.root, catalog.mid(catalogDict, catalogEnd - catalogDict)
                             + "/Outlines " + QByteArray::number(outlinesNumber)
                             + " 0 R\n/PageMode /UseOutlines\n>>");
    QByteArray root = "<<\n/Type /Outlines\n";
    if (!top.isEmpty())
        root += "/First " + QByteArray::number(numbered.at(top.first()).number) + " 0 R\n/Last "
                + QByteArray::number(numbered.at(top.last()).number) + " 0 R\n/Count "
                + QByteArray::number(top.size()) + '\n';
    object(outlinesNumber, root + ">>");
    for (const Numbered &n : numbered) {
        QByteArray body = "<<\n/Title " + pdfText(n.item->title) + "\n/Parent "
                          + QByteArray::number(n.parent) + " 0 R\n/Dest ["
                          + QByteArray::number(pageNumbers.at(n.item->page)) + " 0 R /XYZ null null null]\n";
        if (n.prev)
            body += "/Prev " + QByteArray::number(n.prev) + " 0 R\n";
        if (n.next)
            body += "/Next " + QByteArray::number(n.next) + " 0 R\n";
        if (n.first)
            body += "/First " + QByteArray::number(n.first) + " 0 R\n/Last " + QByteArray::number(n.last)
                    + " 0 R\n/Count " + QByteArray::number(n.count) + '\n';
        object(n.number, body + ">>");
    }

    const qint64 xref = start + update.size();
    update += "xref\n";
    const auto entry = [](qint64 offset) {
        QByteArray line = QByteArray::number(offset).rightJustified(10, '0');
        line += " 00000 n \n";
        return line;
    };
    update += QByteArray::number(trailer.root) + " 1\n" + entry(offsets.first().second);
    update += QByteArray::number(outlinesNumber) + ' ' + QByteArray::number(next - outlinesNumber) + '\n';
    for (qsizetype i = 1; i < offsets.size(); ++i)
        update += entry(offsets.at(i).second);
    update += "trailer\n<<\n/Size " + QByteArray::number(next) + "\n/Root " + QByteArray::number(trailer.root)
              + " 0 R\n" + (trailer.info.isEmpty() ? QByteArray() : trailer.info + '\n')
              + (trailer.id.isEmpty() ? QByteArray() : trailer.id + '\n') + "/Prev "
              + QByteArray::number(trailer.xref) + "\n>>\nstartxref\n" + QByteArray::number(xref)
              + "\n%%EOF\n";

    if (!file.seek(start) || file.write(update) != update.size() || !file.flush()
        || ::fsync(file.handle()) != 0)
        return QStringLiteral("Filen \"%1\" kan ikke gemmes").arg(pdfName);
    return {};
}

} // namespace bookexport
