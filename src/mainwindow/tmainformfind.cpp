// Finding a recipe: the search window, and opening what it found as the user's own clicks would.
#include "mainwindow/tmainform.h"

#include "dialogs/drawnpixmap.h"
#include "dialogs/messages.h"
#include "editor/namedaction.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/tfindform.h"
#include "search/excerpt.h"

#include <QAbstractButton>
#include <QAction>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QPainter>
#include <QTextEdit>
#include <QToolButton>

namespace {

QIcon findIcon()
{
    return QIcon(drawnPixmap(QSize(32, 32), [](QPainter &p) {
        p.setPen(QPen(QColor(70, 70, 70), 3));
        p.setBrush(QColor(225, 238, 252));
        p.drawEllipse(QRectF(4, 4, 17, 17));
        p.setPen(QPen(QColor(70, 70, 70), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 20), QPointF(28, 28));
    }));
}

} // namespace

void Tmainform::connectFind()
{
    aFind = namedAction(this, "aFind", QStringLiteral("Søg"),
                        QStringLiteral("Find en opskrift på navn, ingrediens eller beskrivelse: Ctrl+F"),
                        QKeySequence(Qt::CTRL | Qt::Key_F));
    aFind->setIcon(findIcon());
    addAction(aFind);
    connect(aFind, &QAction::triggered, this, [this] { guardedCommand([this] { AfindExecute(); }); });

    // On the bottom row after the other buttons, so nothing there moves.
    findButton = new QToolButton(Panel2);
    findButton->setObjectName(QStringLiteral("findButton"));
    findButton->setFixedSize(optButton->size());
    findButton->setAutoRaise(true);
    findButton->setToolButtonStyle(optButton->toolButtonStyle());
    findButton->setIconSize(optButton->iconSize());
    findButton->setCursor(optButton->cursor());
    findButton->setDefaultAction(aFind);
    auto *row = static_cast<QBoxLayout *>(Panel2->layout());
    row->insertWidget(row->indexOf(optButton) + 1, findButton);
}

void Tmainform::AfindExecute()
{
    if (!findform) {
        QList<search::AreaSource> areas{{false, m_paths.areaTree(false, brugernavn), m_paths.areaFolder(false, brugernavn)}};
        // A user named "Alle" has the shared area as private area: it is searched once.
        if (m_privateUsable && m_paths.areaFolder(true, brugernavn) != m_paths.areaFolder(false, brugernavn))
            areas.append({true, m_paths.areaTree(true, brugernavn), m_paths.areaFolder(true, brugernavn)});
        findform = new Tfindform(this, optDir, areas);
        connect(findform, &Tfindform::openRequested, this,
                [this](const search::Found &found, const QStringList &words) {
                    guardedCommand([&] { openFound(found, words); });
                });
    }
    findform->start();
}

void Tmainform::openFound(const search::Found &found, const QStringList &words)
{
    const int area = found.recipe.privat ? 1 : 0;
    if (brugerOpstart != area)
        opstartGroup->button(area)->click();
    const std::pair<ListBox *, QString> path[] = {{hovedKatBox, found.recipe.hovedKat},
                                                  {underKatBox, found.recipe.underKat},
                                                  {opskriftBox, found.recipe.opskrift}};
    for (const auto &[box, name] : path) {
        const int index = int(box->entries().indexOf(name));
        if (brugerOpstart != area || index < 0) {
            Messages::information(QStringLiteral("Opskriften findes ikke længere.\rDen er ændret eller slettet, siden der blev søgt."));
            return;
        }
        box->chooseAsClicked(index);
    }
    const auto [at, length] = search::firstMatch(Editor->toPlainText(), words);
    if (at >= 0) {
        QTextCursor cursor(Editor->document());
        cursor.setPosition(int(at));
        cursor.setPosition(int(at + length), QTextCursor::KeepAnchor);
        Editor->setTextCursor(cursor);
        Editor->ensureCursorVisible();
    }
    raise();
    activateWindow();
}

void Tmainform::noteOwnChange()
{
    if (findform)
        findform->noteChange();
}
