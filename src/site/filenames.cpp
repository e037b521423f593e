#include "site/filenames.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>

namespace site {

namespace {

QString asciiOf(QChar c)
{
    switch (c.unicode()) {
    case u'æ': case u'Æ': return QStringLiteral("ae");
    case u'ø': case u'Ø': return QStringLiteral("oe");
    case u'å': case u'Å': return QStringLiteral("aa");
    case u'ß': return QStringLiteral("ss");
    default: break;
    }
    const QString parts = QString(c.toLower()).normalized(QString::NormalizationForm_D);
    const QChar base = parts.isEmpty() ? c : parts.at(0);
    if ((base >= u'a' && base <= u'z') || (base >= u'0' && base <= u'9'))
        return QString(base);
    return QStringLiteral("-");
}

bool isReserved(const QString &stem)
{
    static const QSet<QString> names = [] {
        QSet<QString> set{QStringLiteral("con"), QStringLiteral("prn"), QStringLiteral("aux"), QStringLiteral("nul"),
                          QStringLiteral("index"), QStringLiteral("soeg"), QStringLiteral("indeks")};
        for (int i = 0; i <= 9; ++i) {
            set.insert(QStringLiteral("com%1").arg(i));
            set.insert(QStringLiteral("lpt%1").arg(i));
        }
        return set;
    }();
    return names.contains(stem);
}

QString digest(const QString &key)
{
    return QString::fromLatin1(QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
}

} // namespace

QString fileStem(const QString &name)
{
    QString stem;
    for (const QChar c : name) {
        const QString part = asciiOf(c);
        if (part == u'-' && (stem.isEmpty() || stem.endsWith(u'-')))
            continue;
        stem += part;
    }
    if (stem.size() > kMaxStemLength)
        stem.truncate(kMaxStemLength);
    while (stem.endsWith(u'-'))
        stem.chop(1);
    if (stem.isEmpty())
        return QStringLiteral("opskrift");
    // "index" and our own files' names are taken too ("index" in a subfolder would do no harm,
    // but "con" is refused by one file system, whatever follows it).
    if (isReserved(stem))
        stem += QStringLiteral("-opskrift");
    return stem;
}

QStringList uniqueStems(const QStringList &names, const QStringList &keys)
{
    QStringList stems;
    QHash<QString, int> count;
    for (const QString &name : names) {
        stems.append(fileStem(name));
        ++count[stems.last()];
    }
    QSet<QString> taken;
    for (qsizetype i = 0; i < stems.size(); ++i) {
        if (count.value(stems.at(i)) > 1)
            stems[i] += u'-' + digest(keys.at(i));
        // Two digests alike, or a digest meeting another name: numbered, in the book's order.
        QString stem = stems.at(i);
        for (int n = 2; taken.contains(stem); ++n)
            stem = stems.at(i) + u'-' + QString::number(n);
        stems[i] = stem;
        taken.insert(stem);
    }
    return stems;
}

} // namespace site
