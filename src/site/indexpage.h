#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace site {

struct IndexLink {
    QString name;
    QString href;
};

struct IndexSection {
    QString hovedKat;
    QString underKat;
    QList<IndexLink> recipes;
};

// Our script files beside index.html.
inline const QString kIndexScript = QStringLiteral("indeks.js");
inline const QString kSearchScript = QStringLiteral("soeg.js");

// The front page: the book's name, its main categories, their subcategories and recipes as
// links, and the search field (shown only where scripts run).
QByteArray indexPage(const QString &title, const QList<IndexSection> &sections);

} // namespace site
