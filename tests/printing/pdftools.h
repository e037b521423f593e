#pragma once

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QtTest>

// What poppler reads back from a PDF: text, page count, and where the words stand.
namespace pdftools {

// Empty when the program fails; quiet leaves out the warning (a file still being written).
inline QString run(const QString &program, const QStringList &arguments, bool quiet = false)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        if (!quiet)
            qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text page by page, pages separated by a form feed.
inline QString text(const QString &pdf)
{
    // Ligatures ("ﬂ") are read back as the letters they join.
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC);
}

// The non-empty lines of the whole text.
inline QStringList lines(const QString &pdf)
{
    QStringList result;
    for (const QString &line : text(pdf).split(QRegularExpression(QStringLiteral("[\\n\\f]")))) {
        if (!line.trimmed().isEmpty())
            result.append(line.trimmed());
    }
    return result;
}

// -1 when the file is no whole PDF.
inline int pages(const QString &pdf, bool quiet = false)
{
    const QRegularExpression pagesLine(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pagesLine.match(run(QStringLiteral("pdfinfo"), {pdf}, quiet));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

struct Word {
    int page; // from 1
    QRectF box; // in points from the paper's top-left corner
    QString text;
};

inline QList<Word> words(const QString &pdf)
{
    const QString html = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression token(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> result;
    int page = 0;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).isEmpty()) {
            ++page;
            continue;
        }
        result.append({page, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                    QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                       m.captured(5).normalized(QString::NormalizationForm_KC)});
    }
    return result;
}

} // namespace pdftools
