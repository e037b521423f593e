#pragma once

#include <QDialog>
#include <QPointer>

// Results of the program's modal dialogs, as returned by exec().
enum ModalResult { mrOk = 1, mrCancel = 2 };

// What the three small dialogs share: stay on top, a close box and no other title buttons,
// OK and Cancel as results (the close box gives Cancel), centred over the main window at the
// first showing and left where the user put it afterwards, and the focus kept from the last
// showing. Enter activates the button that has the focus (or the default button); what Esc
// does is up to each dialog.
class ModalDialog : public QDialog
{
    Q_OBJECT

public:
    void accept() override;
    void reject() override;

protected:
    explicit ModalDialog(QWidget *mainWindow);

    // The control that has the focus when the dialog opens for the first time.
    void setInitialFocus(QWidget *widget);
    // Width of the frame the window system draws around the client area; zero before it is known.
    QMargins windowFrame() const;

    // Runs as the dialog is shown, before it becomes visible and before it is placed.
    virtual void formShow() {}
    // Fits the outer size again once the window system's frame is known.
    virtual void fitToFrame() {}
    // Runs every time the dialog closes.
    virtual void formClose() {}
    virtual void escapePressed() {}

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void placeOverMainWindow();

    QPointer<QWidget> m_mainWindow;
    QPointer<QWidget> m_focus;
    bool m_placed = false;
    QMargins m_fittedFrame;      // the frame the size was last fitted to
    bool m_placedUnframed = false; // centred before the frame was known
};
