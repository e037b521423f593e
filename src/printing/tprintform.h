#pragma once

#include "dialogs/formslot.h"
#include "printing/pagerect.h"
#include "printing/printvalues.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QPushButton;
class QTextEdit;

namespace Ui {
class Tprintform;
}

namespace printing {
class PrintTarget;
}

// The print settings dialog "Udskriv dokument": margins in centimetres and the number of
// copies, kept as typed for the rest of the run; its position is kept in printoptions.txt.
// Shown modally; no button is a default or cancel button.
class Tprintform : public QDialog {
    Q_OBJECT

public:
    // optDir: the settings folder, ending with "/"; empty when the user has none, and then
    // nothing is read or written.
    Tprintform(QWidget *mainWindow, const QString &optDir);
    ~Tprintform() override;

    // Shows the dialog and gives its five values as numbers: nothing when the user cancels, or
    // when a field is empty (after saying so). Throws printing::PrintError for a text that is no
    // number; nothing is touched before.
    // preview, when given, is what "Vis udskrift" runs with the values in the fields; when it
    // gives true (the user chose "Udskriv" in the preview) the dialog closes as with "Print".
    using Previewer = std::function<bool(const printing::PrintValues &)>;
    std::optional<printing::PrintValues> askValues(Previewer preview = {});
    // The values in the fields as askValues gives them, without showing the dialog.
    std::optional<printing::PrintValues> currentValues();

    // Shows the preview of what PrintRichText would print of Edit with these values; true when
    // the user chose "Udskriv" there. Throws printing::PrintError.
    bool previewRichText(QTextEdit *Edit, const printing::PrintValues &values);

    // Prints the document of Edit as Copies separate jobs on the default printer (or on
    // printTarget). Throws printing::PrintError when a job fails.
    bool PrintRichText(QTextEdit *Edit, double RTLeftMargin, double RTRightMargin,
                       double RTTopMargin, double RTBottomMargin,
                       printing::TRichTextMeasurements RichTextMeasurement, int Copies);

    // Digits and commas stay, every other character goes.
    static QString Floatkon(const QString &text);
    // Digits stay, every other character goes.
    static QString IntegerKon(const QString &text);

    void StandardClick();
    // Reads the position; throws store::FileError for a file that can't be read or holds no
    // two whole numbers, with what could be read applied.
    void HentOpt();
    // Writes the position: top edge, then left edge.
    void GemOpt();

    void accept() override;
    void reject() override;
    void done(int result) override;
    void setVisible(bool visible) override;

    QLineEdit *Edit1 = nullptr; // left margin
    QLineEdit *Edit2 = nullptr; // right margin
    QLineEdit *Edit3 = nullptr; // top margin
    QLineEdit *Edit4 = nullptr; // bottom margin
    QLineEdit *Edit5 = nullptr; // copies
    QPushButton *Button1 = nullptr; // "Standard"
    QPushButton *Button2 = nullptr; // "Annuller"
    QPushButton *Button3 = nullptr; // "Print"
    QPushButton *Button4 = nullptr; // "Vis udskrift"

    QString optfil;
    bool opstart = true;

    // Where print jobs go; the default printer when null.
    printing::PrintTarget *printTarget = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void filterOnChange(QLineEdit *edit, QString (*filter)(const QString &));
    void placeAt(int left, int top);
    void previewClick();
    template <typename Run>
    auto withTarget(Run run);

    std::unique_ptr<Ui::Tprintform> m_ui;
    QPointer<QWidget> m_focus;
    Previewer m_preview;
};

extern FormSlot<Tprintform> printform;
