#pragma once

#include "modaldialog.h"

class QLabel;

// A text above a strip of buttons framed by two symbols: the information and the question
// dialog. The outer width is fixed; on every showing the outer height becomes the height of
// the wrapped text plus 80 pixels.
class MessageDialog : public ModalDialog
{
    Q_OBJECT

public:
    // Shows tekst whole; "\r" starts a new line, long lines wrap at word boundaries.
    void insertTekst(const QString &tekst);
    // Empties the text and returns it to the small font; runs on creation and on every close.
    void resetValues();
    QString tekst() const { return m_tekst; }

    static constexpr int outerWidth = 339;
    static constexpr int heightBesidesText = 80;

    // Height of one line of the message text, and the lines a text takes at a width.
    static int lineHeight(const QFont &font, int dpi);
    static int wrappedLines(const QString &text, const QFont &font, int width);

protected:
    MessageDialog(QWidget *mainWindow, const QString &labelName, int labelSideMargin,
                  int resourceHeight, int fontPoints, const QPixmap &symbol);

    QWidget *panel() const { return m_panel; }

    void formShow() override;
    void fitToFrame() override;
    void formClose() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setLabelPointSize(int points);

    QLabel *m_label;
    QWidget *m_panel;
    QLabel *m_image2;
    int m_labelSideMargin;
    int m_textWidth; // 307 or 317 pixels, whatever the frame
    QString m_tekst;
};
