#include "bookexport/cookbook.h"

#include "bookexport/bookpages.h"
#include "bookexport/pdfoutline.h"
#include "bookexport/recipepage.h"
#include "printing/pagepainter.h"
#include "printing/pdfoutput.h"
#include "store/exclusivefile.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

namespace bookexport {

namespace {

constexpr int kDpi = 600;

struct Recipe {
    const BookSection *section;
    QString name;
    int pages = 0;
    int firstPage = 0; // from 0
    QString failure;   // why it can't be read; empty when it can
};

PageGeometry geometryOf(const CookbookRequest &r)
{
    const auto px = [](double cm) { return cm / 2.54 * kDpi; };
    const QSizeF a4 = QPageSize(QPageSize::A4).sizePixels(kDpi);
    PageGeometry g;
    g.text = QRectF(QPointF(px(r.left), px(r.top)), QPointF(a4.width() - px(r.right), a4.height() - px(r.bottom)));
    if (g.text.width() < px(2) || g.text.height() < px(2))
        g.text = QRectF(QPointF(0, 0), a4); // margins that leave no room, as the printing does
    g.footer = QRectF(g.text.left(), g.text.bottom(), g.text.width(), a4.height() - g.text.bottom());
    return g;
}

// One recipe laid out on the writer: its own page, or the page that says why it can't be read.
void compose(const CookbookRequest &request, const Recipe &recipe, QTextDocument *doc, QString *failure)
{
    const store::FileResult read = composeRecipe(request.area, recipe.section->folder, recipe.name, doc);
    *failure = read ? QString() : read.error;
    if (!read)
        composeUnreadable(recipe.name, read.error, doc);
}

int topLevelOf(const BookScope &scope)
{
    return scope.hovedKat.isEmpty() ? 0 : scope.underKat.isEmpty() ? 1 : 2;
}

// The contents list and the outline name the same places.
QList<ContentsLine> contentsLines(const QList<Recipe> &recipes, int topLevel)
{
    QList<ContentsLine> lines;
    const BookSection *previous = nullptr;
    for (const Recipe &recipe : recipes) {
        const BookSection *section = recipe.section;
        if (section != previous) {
            if (topLevel == 0 && (!previous || previous->hovedKat != section->hovedKat))
                lines.append({section->hovedKat, 0, recipe.firstPage, false});
            if (topLevel <= 1)
                lines.append({section->underKat, 1, recipe.firstPage, false});
            previous = section;
        }
        lines.append({recipe.name, 2, recipe.firstPage, !recipe.failure.isEmpty()});
    }
    return lines;
}

QList<OutlineItem> outlineOf(const QList<ContentsLine> &lines, int topLevel)
{
    QList<OutlineItem> items{{QStringLiteral("Indhold"), 1, {}}};
    for (const ContentsLine &line : lines) {
        QList<OutlineItem> *level = &items;
        for (int depth = topLevel; depth < line.level; ++depth)
            level = &level->last().children;
        level->append({line.text, line.page, {}});
    }
    return items;
}

QString recipePlace(const Recipe &recipe)
{
    return recipe.section->hovedKat + QStringLiteral(" / ") + recipe.section->underKat + QStringLiteral(" / ")
           + recipe.name;
}

} // namespace

CookbookResult writeCookbook(const CookbookRequest &request, const CookbookWatcher &watcher)
{
    CookbookResult result;
    const BookContents contents = readContents(request.area, request.areaFolder, request.scope);
    result.problems = contents.problems;
    if (!contents.error.isEmpty()) {
        result.error = contents.error;
        return result;
    }
    QList<Recipe> recipes;
    for (const BookSection &section : contents.sections)
        for (const QString &name : section.recipes)
            recipes.append({&section, name, 0, 0, {}});
    if (recipes.isEmpty()) {
        result.error = QStringLiteral("Der er ingen opskrifter at lave en bog af.");
        return result;
    }
    const auto stopped = [&watcher] { return watcher.stop && watcher.stop(); };
    const int total = 2 * int(recipes.size());
    int done = 0;
    const auto step = [&] {
        if (watcher.progress)
            watcher.progress(++done, total);
    };

    store::ExclusiveFile temporary(request.file);
    if (!temporary.open()) {
        result.error = printing::cannotWrite(request.file) + u'.';
        return result;
    }
    const PageGeometry geometry = geometryOf(request);
    const int topLevel = topLevelOf(request.scope);
    QList<ContentsLine> lines;
    {
        QPdfWriter writer(temporary.device());
        writer.setResolution(kDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(request.title);
        writer.setCreator(QStringLiteral("Retterum"));

        // First the pages each recipe takes, so the contents list can name them.
        for (Recipe &recipe : recipes) {
            if (stopped()) {
                result.outcome = CookbookResult::Outcome::Cancelled;
                return result;
            }
            QTextDocument doc;
            compose(request, recipe, &doc, &recipe.failure);
            printing::layOutForDevice(doc, &writer, geometry.text.size());
            recipe.pages = doc.pageCount();
            step();
        }

        QPainter painter;
        if (!painter.begin(&writer)) {
            result.error = printing::cannotWrite(request.file) + u'.';
            return result;
        }
        const int perPage = contentsLinesPerPage(painter, geometry);
        int page = 0;
        const auto nextPage = [&] {
            writer.newPage();
            paintFooter(painter, geometry, ++page + 1);
        };
        lines = contentsLines(recipes, topLevel); // the count of lines doesn't depend on pages
        const int contentsPages = contentsPageCount(int(lines.size()), perPage);
        int firstPage = 1 + contentsPages;
        for (Recipe &recipe : recipes) {
            recipe.firstPage = firstPage;
            firstPage += recipe.pages;
        }
        lines = contentsLines(recipes, topLevel);

        paintTitlePage(painter, geometry, request.title, request.date, int(recipes.size()));
        for (int c = 0; c < contentsPages; ++c) {
            nextPage();
            paintContentsPage(painter, geometry, lines, topLevel, perPage, c);
        }
        for (Recipe &recipe : recipes) {
            if (stopped()) {
                painter.end();
                result.outcome = CookbookResult::Outcome::Cancelled;
                return result;
            }
            QTextDocument doc;
            QString failure;
            compose(request, recipe, &doc, &failure);
            printing::layOutForDevice(doc, &writer, geometry.text.size());
            const int pages = doc.pageCount();
            for (int p = 0; p < qMax(pages, recipe.pages); ++p) {
                nextPage();
                if (p < pages)
                    printing::paintPage(painter, doc, geometry.text, p);
            }
            if (!failure.isEmpty())
                result.unreadable.append(recipePlace(recipe) + QStringLiteral(": ") + failure);
            if (pages != recipe.pages || failure.isEmpty() != recipe.failure.isEmpty())
                result.problems.append(QStringLiteral("Opskriften \"%1\" blev ændret, mens bogen blev lavet; "
                                                      "sidetallene efter den kan være forskudt.")
                                           .arg(recipePlace(recipe)));
            step();
        }
        if (!painter.end()) {
            result.error = printing::cannotWrite(request.file) + u'.';
            return result;
        }
        result.pages = page + 1;
    }
    result.recipes = int(recipes.size());
    QString failure = appendOutline(*temporary.device(), request.file, outlineOf(lines, topLevel));
    if (failure.isEmpty())
        failure = printing::moveIntoPlace(temporary);
    if (!failure.isEmpty()) {
        result.error = failure + u'.';
        return result;
    }
    result.outcome = CookbookResult::Outcome::Written;
    return result;
}

} // namespace bookexport
