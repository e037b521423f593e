#pragma once

#include <QObject>

class QAction;
class QMenu;

// The editor's commands on the tool bar and in its popup menu, with their captions, hints and
// shortcuts.
class EditorActions : public QObject {
    Q_OBJECT

public:
    explicit EditorActions(QWidget *parentWindow);

    QAction *FormatRichEditBullets1 = nullptr;
    QAction *FormatRichEditAlignLeft1 = nullptr;
    QAction *FormatRichEditAlignCenter1 = nullptr;
    QAction *FormatRichEditAlignRight1 = nullptr;
    QAction *FormatRichEditBold1 = nullptr;
    QAction *FormatRichEditItalic1 = nullptr;
    QAction *FormatRichEditUnderline1 = nullptr;
    QAction *FormatRichEditStrikeOut1 = nullptr;
    QAction *EditStavekontrol = nullptr;
    QAction *bingUrl = nullptr;
    QAction *googleUrl = nullptr;
    QAction *tubeUrl = nullptr;

    QAction *EditUndo1 = nullptr;
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QAction *EditSelectAll1 = nullptr;
    QAction *EditDelete1 = nullptr;
    QMenu *EditorPU = nullptr;
};
