#pragma once

#include <QDate>
#include <QRectF>
#include <QString>

class QPainter;

// The book's own pages and page furniture, drawn with a painter on a PDF page.
namespace bookexport {

struct PageGeometry {
    QRectF text;   // inside the margins, in device pixels
    QRectF footer; // in the bottom margin
};

// One line of the contents list.
struct ContentsLine {
    QString text;
    int level = 0; // 0 main category, 1 subcategory, 2 recipe
    int page = 0;  // from 0
    bool unreadable = false;
};

void paintTitlePage(QPainter &painter, const PageGeometry &geometry, const QString &title,
                    const QDate &date, int recipes);

// How many contents lines one page holds; the first page gives two of them to its heading.
int contentsLinesPerPage(QPainter &painter, const PageGeometry &geometry);
int contentsPageCount(int lines, int perPage);

// Draws contents page number page (from 0) of the lines, the shallowest level at the margin.
void paintContentsPage(QPainter &painter, const PageGeometry &geometry, const QList<ContentsLine> &lines,
                       int topLevel, int perPage, int page);

// The page number (from 1) in the footer.
void paintFooter(QPainter &painter, const PageGeometry &geometry, int pageNumber);

} // namespace bookexport
