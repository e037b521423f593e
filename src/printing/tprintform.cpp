#include "printing/tprintform.h"

#include "dialogs/messages.h"
#include "dialogs/modaldialog.h"
#include "dialogs/onscreen.h"
#include "printing/cupsprinter.h"
#include "printing/printericon.h"
#include "printing/printpreview.h"
#include "printing/richtextprinter.h"
#include "store/fileerror.h"
#include "store/listfile.h"
#include "ui_tprintform.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

FormSlot<Tprintform> printform;

namespace {

QString keepOnly(const QString &text, bool commaToo)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || (commaToo && u == u','))
            kept.append(c);
    }
    return kept;
}

// A standard message box centred on the screen, not the program's information dialog.
void showMissingValue()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"),
                    QStringLiteral("Der mangler en værdi, prøv igen!"), QMessageBox::Ok);
    box.exec();
}

int wholeNumber(const QStringList &lines, int index, const QString &file)
{
    if (index >= lines.size())
        throw store::FileError(QStringLiteral("Filen \"%1\" har ikke de to linjer med dialogens placering").arg(file));
    bool ok = false;
    const int value = lines.at(index).trimmed().toInt(&ok);
    if (!ok)
        throw store::FileError(QStringLiteral("Linje %1 i filen \"%2\" er ikke et helt tal: \"%3\"")
                                   .arg(QString::number(index + 1), file, lines.at(index)));
    return value;
}

} // namespace

Tprintform::Tprintform(QWidget *mainWindow, const QString &optDir)
    : QDialog(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::Tprintform>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("printform"));
    setFixedSize(323, 232);
    setWindowIcon(printing::printerIcon());
    Edit1 = m_ui->Edit1;
    Edit2 = m_ui->Edit2;
    Edit3 = m_ui->Edit3;
    Edit4 = m_ui->Edit4;
    Edit5 = m_ui->Edit5;
    Button1 = m_ui->Button1;
    Button2 = m_ui->Button2;
    Button3 = m_ui->Button3;
    Button4 = m_ui->Button4;
    Button4->setEnabled(false);

    for (QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4})
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { filterOnChange(edit, &Floatkon); });
    connect(Edit5, &QLineEdit::textChanged, this, [this] { filterOnChange(Edit5, &IntegerKon); });
    connect(Button1, &QPushButton::clicked, this, &Tprintform::StandardClick);
    connect(Button2, &QPushButton::clicked, this, &Tprintform::reject);
    connect(Button3, &QPushButton::clicked, this, &Tprintform::accept);
    connect(Button4, &QPushButton::clicked, this, &Tprintform::previewClick);

    StandardClick();
    m_focus = Edit1;
    // FormCreate
    optfil = optDir.isEmpty() ? QString() : optDir + QStringLiteral("printoptions.txt");
    opstart = true;
}

Tprintform::~Tprintform() = default;

QString Tprintform::Floatkon(const QString &text)
{
    return keepOnly(text, true);
}

QString Tprintform::IntegerKon(const QString &text)
{
    return keepOnly(text, false);
}

void Tprintform::filterOnChange(QLineEdit *edit, QString (*filter)(const QString &))
{
    const QString filtered = filter(edit->text());
    if (filtered != edit->text())
        edit->setText(filtered); // runs this once more, finding nothing to remove
    edit->end(false);
}

void Tprintform::StandardClick()
{
    Edit1->setText(QStringLiteral("2,5"));
    Edit2->setText(QStringLiteral("1"));
    Edit3->setText(QStringLiteral("2"));
    Edit4->setText(QStringLiteral("1,5"));
    Edit5->setText(QStringLiteral("1"));
}

std::optional<printing::PrintValues> Tprintform::askValues(Previewer preview)
{
    m_preview = std::move(preview);
    Button4->setEnabled(bool(m_preview));
    const int result = exec();
    m_preview = {};
    Button4->setEnabled(false);
    if (result != mrOk)
        return std::nullopt;
    return currentValues();
}

std::optional<printing::PrintValues> Tprintform::currentValues()
{
    for (const QLineEdit *edit : {Edit1, Edit2, Edit3, Edit4, Edit5}) {
        if (edit->text().isEmpty()) {
            showMissingValue();
            return std::nullopt;
        }
    }
    printing::PrintValues values;
    values.left = printing::marginValue(Edit1->text(), m_ui->Label1->text());
    values.right = printing::marginValue(Edit2->text(), m_ui->Label2->text());
    values.top = printing::marginValue(Edit3->text(), m_ui->Label3->text());
    values.bottom = printing::marginValue(Edit4->text(), m_ui->Label4->text());
    values.copies = printing::copiesValue(Edit5->text(), m_ui->Label5->text());
    return values;
}

void Tprintform::previewClick()
{
    if (!m_preview)
        return;
    // The dialog stays open: a value the preview can't take is said, and the user corrects it.
    try {
        const std::optional<printing::PrintValues> values = currentValues();
        if (values && m_preview(*values))
            accept();
    } catch (const store::UserError &e) {
        Messages::error(e.text());
    }
}

template <typename Run>
auto Tprintform::withTarget(Run run)
{
    if (printTarget)
        return run(*printTarget);
    printing::CupsPrinter printer = printing::CupsPrinter::defaultPrinter();
    return run(printer);
}

bool Tprintform::PrintRichText(QTextEdit *Edit, double RTLeftMargin, double RTRightMargin,
                               double RTTopMargin, double RTBottomMargin,
                               printing::TRichTextMeasurements RichTextMeasurement, int Copies)
{
    withTarget([&](printing::PrintTarget &target) {
        printing::printRichText(Edit, RTLeftMargin, RTRightMargin, RTTopMargin, RTBottomMargin,
                                RichTextMeasurement, Copies, target);
    });
    return true;
}

bool Tprintform::previewRichText(QTextEdit *Edit, const printing::PrintValues &values)
{
    QWidget *over = isVisible() ? static_cast<QWidget *>(this) : parentWidget();
    return withTarget([&](printing::PrintTarget &target) {
        return printing::previewRichText(over, Edit, values, target);
    });
}

void Tprintform::HentOpt()
{
    if (optfil.isEmpty() || !store::Tree::aroundFile(optfil).exists(optfil)) {
        placeAt(300, 300);
        return;
    }
    store::ListText list;
    store::throwIfFailed(store::readListFile(optfil, &list));
    const int top = wholeNumber(list.entries, 0, optfil);
    int left = x();
    try {
        left = wholeNumber(list.entries, 1, optfil);
    } catch (const store::FileError &) {
        placeAt(left, top); // the top edge stands
        throw;
    }
    placeAt(left, top);
}

void Tprintform::GemOpt()
{
    if (optfil.isEmpty())
        return;
    const store::FileResult result =
        store::writeListFile(optfil, {QString::number(y()), QString::number(x())});
    if (!result)
        Messages::error(result.error);
}

void Tprintform::FormShow()
{
    if (opstart) {
        try {
            HentOpt();
            opstart = false;
        } catch (const store::FileError &e) {
            // The dialog opens all the same; the next showing reads the file again.
            Messages::error(e.text());
        }
    } else {
        move(pos()); // an explicit position: the toolkit would centre the dialog again
    }
}

void Tprintform::FormClose()
{
    GemOpt();
}

void Tprintform::placeAt(int left, int top)
{
    // One move only: a second one while hidden would take the frame's corner for the client's.
    const QSize size = frameGeometry().size();
    move(placeOnScreen(left, top, size.width(), size.height(), size).topLeft());
}

void Tprintform::setVisible(bool visible)
{
    if (visible && !isVisible())
        FormShow();
    QDialog::setVisible(visible);
}

void Tprintform::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);

    if (!event->spontaneous() && m_focus)
        m_focus->setFocus(Qt::OtherFocusReason);
}

void Tprintform::accept()
{
    done(mrOk);
}

void Tprintform::reject()
{
    done(mrCancel);
}

void Tprintform::done(int result)
{
    if (QWidget *focused = focusWidget())
        m_focus = focused;
    QDialog::done(result);
    FormClose();
}

void Tprintform::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (mods == Qt::NoModifier && enter) {
        // Only a button with the focus answers Enter; Enter in a field does nothing.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
