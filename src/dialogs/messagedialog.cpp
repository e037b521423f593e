#include "messagedialog.h"

#include "displaytext.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr int clientWidth = 323;
constexpr int margin = 3;
constexpr int panelHeight = 31;
constexpr int symbolSide = 16;
constexpr int symbolTop = 8;
constexpr int smallPoints = 8;
constexpr int textPoints = 10;

QLabel *symbolLabel(QWidget *parent, const QString &name, const QPixmap &symbol)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(symbol);
    label->setGeometry(0, symbolTop, symbolSide, symbolSide);
    return label;
}

} // namespace

MessageDialog::MessageDialog(QWidget *mainWindow, const QString &labelName, int labelSideMargin,
                             int resourceHeight, int fontPoints, const QPixmap &symbol)
    : ModalDialog(mainWindow)
    , m_label(new QLabel(this))
    , m_panel(new QWidget(this))
    , m_labelSideMargin(labelSideMargin)
    , m_textWidth(clientWidth - 2 * labelSideMargin)
{
    setFont(QFont(QStringLiteral("Tahoma"), fontPoints));
    // A plain dialog frame: without an icon of its own it would show the main window's.
    setWindowIcon(QIcon());
    m_label->setObjectName(labelName);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->move(labelSideMargin, margin);

    m_panel->setObjectName(QStringLiteral("Panel1"));
    symbolLabel(m_panel, QStringLiteral("Image1"), symbol);
    m_image2 = symbolLabel(m_panel, QStringLiteral("Image2"), symbol);

    setFixedSize(clientWidth, resourceHeight);
    resetValues();
}

void MessageDialog::insertTekst(const QString &tekst)
{
    m_tekst = tekst;
    m_label->setText(displayText(tekst));
}

void MessageDialog::resetValues()
{
    insertTekst(QString());
    setLabelPointSize(smallPoints);
}

void MessageDialog::setLabelPointSize(int points)
{
    QFont font = m_label->font();
    font.setPointSize(points);
    m_label->setFont(font);
}

int MessageDialog::lineHeight(const QFont &font, int dpi)
{
    // The line height of the dialog's own face (1.2 em: 16 pixels at 10 points on a 96-dpi
    // screen), or more where the face drawn in its place needs more.
    const int designed = qRound(font.pointSizeF() * dpi / 72.0 * 1.2);
    return std::max(designed, QFontMetrics(font).lineSpacing());
}

int MessageDialog::wrappedLines(const QString &text, const QFont &font, int width)
{
    int lines = 0;
    // An empty text still takes one line, as a label sized to its text does.
    for (const QString &paragraph : text.split(u'\n')) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++count;
        }
        layout.endLayout();
        lines += std::max(count, 1);
    }
    return lines;
}

void MessageDialog::formShow()
{
    setLabelPointSize(textPoints);
    fitToFrame();
}

// The outer size counts the window system's frame, which is known only once the window is
// framed: fitted at the showing and again when the frame arrives.
void MessageDialog::fitToFrame()
{
    const QMargins frame = windowFrame();
    const int lines = wrappedLines(m_label->text(), m_label->font(), m_textWidth);
    const int textHeight = lines * lineHeight(m_label->font(), logicalDpiY());
    m_label->setGeometry(m_labelSideMargin, margin, m_textWidth, textHeight);
    setFixedSize(outerWidth - frame.left() - frame.right(),
                 textHeight + heightBesidesText - frame.top() - frame.bottom());
}

void MessageDialog::formClose()
{
    resetValues();
}

void MessageDialog::resizeEvent(QResizeEvent *event)
{
    m_panel->setGeometry(margin, height() - margin - panelHeight, width() - 2 * margin, panelHeight);
    m_image2->move(m_panel->width() - symbolSide, symbolTop);
    ModalDialog::resizeEvent(event);
}
