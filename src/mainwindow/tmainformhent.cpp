// "Hent opskrift": the button, the key, the drop of a link or a saved page, and putting the
// fetched recipe into the chosen subcategory.
#include "mainwindow/tmainform.h"

#include "dialogs/drawnpixmap.h"
#include "dialogs/messages.h"
#include "editor/namedaction.h"
#include "hentdialog/thentform.h"
#include "mainwindow/besidewindow.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/storemessages.h"
#include "webimport/recipesource.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

namespace {

QIcon hentIcon()
{
    return QIcon(drawnPixmap(QSize(32, 32), [](QPainter &p) {
        // A globe with an arrow down into a tray.
        p.setPen(QPen(QColor(20, 110, 60), 2));
        p.setBrush(QColor(222, 244, 228));
        p.drawEllipse(QRectF(3, 2, 18, 18));
        p.drawLine(QPointF(3, 11), QPointF(21, 11));
        p.drawEllipse(QRectF(8, 2, 8, 18));
        p.setPen(QPen(QColor(70, 70, 70), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(4, 22), QPointF(4, 29), QPointF(28, 29), QPointF(28, 22)}));
        p.drawLine(QPointF(24, 9), QPointF(24, 24));
        p.drawPolyline(QPolygonF({QPointF(19, 19), QPointF(24, 24.5), QPointF(29, 19)}));
    }));
}

// The address or the saved page a drop carries, when it carries exactly one the dialog reads.
QString droppedSource(const QMimeData *mime)
{
    if (!mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    if (url.isLocalFile()) {
        static const QStringList suffixes{QStringLiteral("html"), QStringLiteral("htm"), QStringLiteral("mhtml"),
                                          QStringLiteral("mht"), QStringLiteral("json")};
        const QString path = url.toLocalFile();
        return suffixes.contains(QFileInfo(path).suffix().toLower()) ? path : QString();
    }
    return webimport::isWebAddress(url.toString()) ? url.toString() : QString();
}

} // namespace

void Tmainform::connectHent()
{
    aHent = namedAction(this, "aHent", QStringLiteral("Hent opskrift"),
                        QStringLiteral("Hent en opskrift fra nettet, en gemt side eller en opskriftsfil ind i den valgte "
                                       "underkategori: Ctrl+H"),
                        QKeySequence(Qt::CTRL | Qt::Key_H));
    aHent->setIcon(hentIcon());
    addAction(aHent);
    connect(aHent, &QAction::triggered, this, [this] { guardedCommand([this] { AhentExecute(); }); });

    setAcceptDrops(true);
}

bool Tmainform::hentAllowed() const
{
    return programMode != 0 && underIndex >= 0 && !opskriftFile.isEmpty();
}

void Tmainform::AhentExecute(const QString &what)
{
    if (!hentAllowed())
        return;
    if (!hentform)
        hentform = new Thentform(this);
    HentTarget target;
    target.place = {m_area, opskriftDir, opskriftFile};
    target.nameProblem = [this](const QString &name) {
        return refusalText(3, store::checkNewEntry(name, opskriftBox->entries(), {}));
    };
    target.insert = [this](const QString &name, const webimport::LoadResult &loaded) {
        bool done = false;
        guardedCommand([&] { done = insertFetched(name, loaded); });
        return done;
    };
    target.folderImported = [this] {
        noteOwnChange();
        m_followTimer->start(); // the recipe list follows once the dialog has closed
    };
    hentform->start(target, what);
}

bool Tmainform::insertFetched(const QString &name, const webimport::LoadResult &loaded)
{
    if (name.isEmpty()) {
        Messages::information(refusalText(3, store::NameRefusal::Empty));
        return false;
    }
    // The description with its picture is written and flushed beside the window.
    webimport::ImportResult result;
    runBesideWindow([&] {
        result = webimport::importRecipe({m_area, opskriftDir, opskriftFile}, name, loaded.read.recipe, loaded.picture);
    });
    noteOwnChange();
    if (toldNotStarted(result.change, m_area.isShared()))
        return false;
    showList(3, result.change);
    switch (result.change.outcome) {
    case store::ChangeOutcome::Done:
        break;
    case store::ChangeOutcome::Refused:
        Messages::information(refusalText(3, result.change.refusal));
        return false;
    default:
        Messages::information(result.error.isEmpty() ? unknownErrorText() : result.error);
        return false;
    }
    const int index = int(opskriftBox->entries().indexOf(name));
    if (index >= 0)
        opskriftBox->chooseAsClicked(index);
    return true;
}

void Tmainform::dragEnterEvent(QDragEnterEvent *event)
{
    if (hentAllowed() && !droppedSource(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Tmainform::dragMoveEvent(QDragMoveEvent *event)
{
    if (hentAllowed() && !droppedSource(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Tmainform::dropEvent(QDropEvent *event)
{
    const QString source = droppedSource(event->mimeData());
    if (!hentAllowed() || source.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: the dialog may show messages of its own.
    QMetaObject::invokeMethod(this, [this, source] { guardedCommand([&] { AhentExecute(source); }); },
                              Qt::QueuedConnection);
}
