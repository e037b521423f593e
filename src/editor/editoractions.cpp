#include "editor/editoractions.h"

#include "editor/namedaction.h"
#include "editor/toolicons.h"

#include <QMenu>
#include <QWidget>

EditorActions::EditorActions(QWidget *parentWindow)
    : QObject(parentWindow)
{
    using toolicons::Letter;
    auto make = [parentWindow](const char *name, const QString &caption, const QString &hint,
                               const QKeySequence &shortcut = {}) {
        QAction *action = namedAction(parentWindow, name, caption, hint, shortcut);
        parentWindow->addAction(action);
        return action;
    };

    FormatRichEditBullets1 = make("FormatRichEditBullets1", QStringLiteral("Prik"), QStringLiteral("Indsæt eller fjern"));
    FormatRichEditBullets1->setIcon(toolicons::bullets());
    FormatRichEditAlignLeft1 = make("FormatRichEditAlignLeft1", QStringLiteral("Venstrestil"), QStringLiteral("Venstrestil tekst"));
    FormatRichEditAlignLeft1->setIcon(toolicons::alignment(Qt::AlignLeft));
    FormatRichEditAlignCenter1 = make("FormatRichEditAlignCenter1", QStringLiteral("Centrer"), QStringLiteral("Centrer tekst"));
    FormatRichEditAlignCenter1->setIcon(toolicons::alignment(Qt::AlignHCenter));
    FormatRichEditAlignRight1 = make("FormatRichEditAlignRight1", QStringLiteral("Højrestil"), QStringLiteral("Højrestil tekst"));
    FormatRichEditAlignRight1->setIcon(toolicons::alignment(Qt::AlignRight));
    FormatRichEditBold1 = make("FormatRichEditBold1", QStringLiteral("Fed"), QStringLiteral("Fed skrift: Ctrl+B"), QKeySequence(Qt::CTRL | Qt::Key_B));
    FormatRichEditBold1->setIcon(toolicons::letter(Letter::Bold));
    FormatRichEditItalic1 = make("FormatRichEditItalic1", QStringLiteral("Kursiv"), QStringLiteral("Kursiv skrift: Ctrl+I"), QKeySequence(Qt::CTRL | Qt::Key_I));
    FormatRichEditItalic1->setIcon(toolicons::letter(Letter::Italic));
    FormatRichEditUnderline1 = make("FormatRichEditUnderline1", QStringLiteral("Understreg"), QStringLiteral("Understreg tekst: Ctrl+U"), QKeySequence(Qt::CTRL | Qt::Key_U));
    FormatRichEditUnderline1->setIcon(toolicons::letter(Letter::Underline));
    FormatRichEditStrikeOut1 = make("FormatRichEditStrikeOut1", QStringLiteral("Gennemstreg"), QStringLiteral("Gennemstreg tekst"));
    FormatRichEditStrikeOut1->setIcon(toolicons::letter(Letter::StrikeOut));
    for (QAction *a : {FormatRichEditBold1, FormatRichEditItalic1, FormatRichEditUnderline1,
                       FormatRichEditStrikeOut1, FormatRichEditBullets1})
        a->setCheckable(true);

    EditStavekontrol = make("EditStavekontrol", QStringLiteral("Stavekontrol"),
                            QStringLiteral("Skift popup-menu til \"Stavekontrol\""));
    bingUrl = make("bingUrl", QStringLiteral("Bing"), QStringLiteral("Søg med Microsoft Bing: Ctrl+Shift+B"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
    bingUrl->setIcon(toolicons::webSearch(QStringLiteral("b"), QColor(0, 120, 215)));
    googleUrl = make("googleUrl", QStringLiteral("Google"), QStringLiteral("Søg med Google: Ctrl+Shift+G"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    googleUrl->setIcon(toolicons::webSearch(QStringLiteral("G"), QColor(66, 133, 244)));
    tubeUrl = make("tubeUrl", QStringLiteral("Søg på YouTube"), QStringLiteral("Søg med YouTube: Ctrl+Shift+T"),
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    tubeUrl->setIcon(toolicons::webSearch(QStringLiteral("▶"), QColor(230, 33, 23)));

    EditorPU = new QMenu(parentWindow);
    EditorPU->setObjectName(QStringLiteral("EditorPU"));
    EditUndo1 = namedAction(EditorPU, "EditUndo1", QStringLiteral("Annuller"), QStringLiteral("Annuller sidste aktion"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EditCut1 = namedAction(EditorPU, "EditCut1", QStringLiteral("Klip"), QStringLiteral("Klip til klipbord"), QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopy1 = namedAction(EditorPU, "EditCopy1", QStringLiteral("Kopier"), QStringLiteral("Kopier til klipbord"), QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste1 = namedAction(EditorPU, "EditPaste1", QStringLiteral("Sæt ind"), QStringLiteral("Sæt ind fra klipbord"), QKeySequence(Qt::CTRL | Qt::Key_V));
    EditSelectAll1 = namedAction(EditorPU, "EditSelectAll1", QStringLiteral("Marker alt"), QStringLiteral("Vælg alt"), QKeySequence(Qt::CTRL | Qt::Key_A));
    EditDelete1 = namedAction(EditorPU, "EditDelete1", QStringLiteral("Slet"), QStringLiteral("Slet valgte"), QKeySequence(Qt::Key_Delete));
    EditorPU->addAction(EditUndo1);
    EditorPU->addSeparator();
    EditorPU->addAction(EditCut1);
    EditorPU->addAction(EditCopy1);
    EditorPU->addAction(EditPaste1);
    EditorPU->addSeparator();
    EditorPU->addAction(EditSelectAll1);
    EditorPU->addAction(EditDelete1);
    // The shortcuts work wherever the focus is in the window; an edit field that knows the
    // key handles it itself.
    parentWindow->addActions({EditUndo1, EditCut1, EditCopy1, EditPaste1, EditSelectAll1, EditDelete1});
}
