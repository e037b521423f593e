#include "messagedialog.h"

#include "displaytext.h"

#include <QFontMetrics>
#include <QLabel>

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
{
    setFont(QFont(QStringLiteral("Tahoma"), fontPoints));
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

void MessageDialog::formShow()
{
    setLabelPointSize(textPoints);
    // Where the window system frames the window only after the first showing, the frame counts
    // as nothing that once.
    const QMargins frame = windowFrame();
    const int width = outerWidth - frame.left() - frame.right();
    const int textWidth = width - 2 * m_labelSideMargin;
    // An empty text still takes one line, as a label sized to its text does.
    const QString measured = m_label->text().isEmpty() ? QStringLiteral(" ") : m_label->text();
    const QRect wrapped = QFontMetrics(m_label->font())
                              .boundingRect(QRect(0, 0, textWidth, 0),
                                            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                            measured);
    m_label->resize(textWidth, wrapped.height());
    setFixedSize(width, wrapped.height() + heightBesidesText - frame.top() - frame.bottom());
}

void MessageDialog::formClose()
{
    resetValues();
}

void MessageDialog::resizeEvent(QResizeEvent *event)
{
    m_label->resize(width() - 2 * m_labelSideMargin, m_label->height());
    m_panel->setGeometry(margin, height() - margin - panelHeight, width() - 2 * margin, panelHeight);
    m_image2->move(m_panel->width() - symbolSide, symbolTop);
    ModalDialog::resizeEvent(event);
}
