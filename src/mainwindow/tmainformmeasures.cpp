// "Omregn til danske mål": American measures in the ingredient lines and °F in the description,
// rewritten as one edit of the recipe that the editor's undo takes back.
#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "editor/namedaction.h"
#include "ingredients/ingredientline.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/listbox.h"
#include "mainwindow/storemessages.h"
#include "mainwindow/temperaturerewrite.h"

#include <QAbstractUndoItem>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <functional>
#include <utility>

namespace {

// The lines' part of the edit, on the description's undo stack: undoing the edit puts the lines
// back as they were written, redoing it rewrites them again.
class LinesUndo : public QAbstractUndoItem {
public:
    LinesUndo(std::function<void(bool back)> rewrite, std::function<void(bool onTop)> onTop)
        : m_rewrite(std::move(rewrite))
        , m_onTop(std::move(onTop))
    {
    }
    void undo() override
    {
        m_rewrite(true);
        m_onTop(false);
    }
    void redo() override
    {
        m_rewrite(false);
        m_onTop(true);
    }

private:
    std::function<void(bool)> m_rewrite;
    std::function<void(bool)> m_onTop;
};

} // namespace

void Tmainform::connectMeasures()
{
    AomregnMaal = namedAction(this, "AomregnMaal", QStringLiteral("Omregn til danske mål"),
                              QStringLiteral("Omregner cups, ounces, pounds og °F i opskriften til dl, g og °C"));
    AfortrydOmregning = namedAction(this, "AfortrydOmregning", QStringLiteral("Fortryd omregning"),
                                    QStringLiteral("Sætter ingredienserne og beskrivelsen tilbage, som de var før omregningen"));
    ingrediensBox->addActions({AomregnMaal, AfortrydOmregning});
    connect(AomregnMaal, &QAction::triggered, this, [this] { guardedCommand([this] { AomregnMaalExecute(); }); });
    connect(AfortrydOmregning, &QAction::triggered, this,
            [this] { guardedCommand([this] { AfortrydOmregningExecute(); }); });
}

QList<LineRewrite> Tmainform::rewriteLines(const QList<LineRewrite> &rewrites)
{
    QList<LineRewrite> done;
    if (rewrites.isEmpty())
        return done;
    const store::ChangeResult result = rewriteListLines(m_area, fillistenavn, rewrites, &done);
    noteOwnChange();
    if (toldNotStarted(result, m_area.isShared()))
        return done;
    if (result.listKnown) {
        showList(4, result);
        ingrediensEdit->clear();
    }
    switch (result.outcome) {
    case store::ChangeOutcome::Done:
        if (done.size() < rewrites.size())
            Messages::information(QStringLiteral("Nogle af ingredienslinjerne er ændret af en anden i mellemtiden og er ikke skrevet om."));
        break;
    case store::ChangeOutcome::Missing:
        Messages::information(QStringLiteral("Ingredienslinjerne er ændret af en anden i mellemtiden og er ikke skrevet om."));
        break;
    default:
        Messages::information(unknownErrorText());
        break;
    }
    return done;
}

void Tmainform::AomregnMaalExecute()
{
    if (programMode == 0 || opskriftIndex < 0 || fillistenavn.isEmpty())
        return;
    QList<LineRewrite> rewrites;
    const QStringList lines = ingrediensBox->entries();
    for (int i = 0; i < lines.size(); ++i) {
        const QString danish = ingredients::danishMeasuresLine(lines.at(i));
        if (danish != lines.at(i))
            rewrites.append({i, lines.at(i), danish});
    }

    QTextDocument *doc = Editor->document();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    const bool temperatures = rewriteTemperatures(cursor);
    if (rewrites.isEmpty() && !temperatures) {
        cursor.endEditBlock();
        Messages::information(QStringLiteral("Opskriften har ingen amerikanske mål at omregne."));
        return;
    }
    const QList<LineRewrite> done = rewriteLines(rewrites);
    const QString listFile = fillistenavn;
    doc->appendUndoItem(new LinesUndo(
        [this, done, listFile](bool back) {
            // Only on the recipe it was made on; the stack goes with the recipe's text anyway.
            if (done.isEmpty() || fillistenavn != listFile)
                return;
            QList<LineRewrite> turned;
            for (const LineRewrite &r : done)
                turned.append(back ? LineRewrite{r.index, r.to, r.from} : r);
            rewriteLines(turned);
        },
        [this](bool onTop) { m_measuresOnTop = onTop; }));
    cursor.endEditBlock();
    // Anything typed after the rewrite comes before it on the undo stack; leaving the recipe
    // empties the stack.
    delete m_measuresFollower;
    m_measuresFollower = new QObject(this);
    connect(doc, &QTextDocument::undoCommandAdded, m_measuresFollower, [this] { m_measuresOnTop = false; });
    connect(doc, &QTextDocument::undoAvailable, m_measuresFollower, [this](bool available) {
        m_measuresOnTop = m_measuresOnTop && available;
    });
    m_measuresOnTop = true;
    updateActions();
}

void Tmainform::AfortrydOmregningExecute()
{
    if (m_measuresOnTop && Editor->document()->isUndoAvailable())
        Editor->undo();
}

void Tmainform::AomregnMaalUpdate()
{
    const bool open = programMode != 0 && opskriftIndex >= 0 && !fillistenavn.isEmpty();
    AomregnMaal->setEnabled(open && (ingrediensBox->count() > 0 || !Editor->document()->isEmpty()));
    AfortrydOmregning->setEnabled(open && m_measuresOnTop && Editor->document()->isUndoAvailable());
}
