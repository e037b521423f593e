#pragma once

#include <QObject>

class QWidget;

// Gives every control of every window the accessible name and description a screen reader
// reads, from what the user sees: a control with a caption keeps it as its name (Qt reads
// captions, buddy labels and group titles itself); an icon button is named by its hint's short
// part; the hint's long part is the description. Hints change (an action's new text), so a
// value given here follows them; one set by hand is left alone.
class AccessibleNames : public QObject {
    Q_OBJECT

public:
    // Watches every widget made from now on and names the existing ones under each window.
    static void install();
    static void describeTree(QWidget *root);
    static void describe(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
