#pragma once

#include <QFrame>

class QLabel;

// The editor's status line: "Linier" n "Pos" l,c "Farve" name, and a last panel for
// "Modificeret".
class StatusLine : public QFrame {
    Q_OBJECT

public:
    static constexpr int panelCount = 7;
    static constexpr int caretPanel = 4;

    explicit StatusLine(QWidget *parent = nullptr);

    // Panels are numbered from 1, left to right.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);

private:
    QLabel *m_panels[panelCount] = {};
};
