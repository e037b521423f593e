#include "dialogs/modaldialog.h"
#include "mainwindowfixture.h"
#include "pdffiles.h"
#include "pdftools.h"
#include "printdialog.h"
#include "app/qttexts.h"
#include "mainwindow/savefilechooser.h"
#include "printing/printpreview.h"
#include "printing/tinvisform.h"
#include "mainwindow/portioncontrol.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <QFileInfo>
#include <QPrintPreviewWidget>

#include <clocale>

namespace {

constexpr double kPointsPerCm = 72 / 2.54;

const QString kRecipe = QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller");
const QByteArray kDescription = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
                                "\\pard\\f0\\fs24 Dejen h\\'e6ves i en time.\\par}";
const QStringList kIngredients{QStringLiteral("500 g hvedemel"), QStringLiteral("50 g gær"),
                               QStringLiteral("<b>1 tsk salt</b>")};

struct Fields {
    QString left = QStringLiteral("2,5");
    QString right = QStringLiteral("1");
    QString top = QStringLiteral("2");
    QString bottom = QStringLiteral("1,5");
    QString copies = QStringLiteral("1");
};

} // namespace

// The print commands of the main window on a recipe with three ingredient lines and a saved
// description; the jobs go to PDF files. CUPS is out of reach here (CUPS_SERVER points
// nowhere), so nothing reaches a real printer and the machine has no default printer.
class TestPrintCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void enableRules_followIngredientsAndDescription();
    void ingredienser_headingThenLinesInTheirStyles();
    void begge_savedDescriptionAfterTwoEmptyLines();
    void opskriften_printsTheEditorAsShown();
    void dialogValues_giveMarginsAndCopies();
    void cancel_printsNothing();
    void emptyField_isReportedAndNothingPrinted();
    void valueThatIsNoNumber_isReportedBeforeAnythingIsTouched_data();
    void valueThatIsNoNumber_isReportedBeforeAnythingIsTouched();
    void commaIsTheDecimalSign_whateverTheLocale();
    void missingDescriptionFile_forBegge_isReported();
    void noDefaultPrinter_isReported();

    void preview_showsThePagesThePrintGives_data();
    void preview_showsThePagesThePrintGives();
    void previewFromTheDialog_takesItsValues_andItsPrintPrints();
    void gemSomPdf_givesThePageBeggePrints();
    void scaledRecipe_printsTheLinesAsShownUnderTheirNumber_data();
    void scaledRecipe_printsTheLinesAsShownUnderTheirNumber();

private:
    // Runs the command as the user does: the dialog shows, the fields are filled in, "Print".
    void print(QAction *command, const Fields &fields = {});
    QString onlyJob() const;

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    std::unique_ptr<QTemporaryDir> m_out;
    std::unique_ptr<PdfFiles> m_jobs;
    Tmainform *w = nullptr;
};

void TestPrintCommands::initTestCase()
{
    qputenv("CUPS_SERVER", QDir::tempPath().toUtf8() + "/ingen-cups/cups.sock");
}

void TestPrintCommands::init()
{
    m_root = std::make_unique<TestDataRoot>();
    m_root->writeList(QStringLiteral("Brugere/%1/Indstillinger/indstillinger.txt").arg(Tmainform::GetUserFromWindows()),
                      {u"100"_qs, u"100"_qs, u"1057"_qs, u"678"_qs, u"233"_qs, u"200"_qs, u"300"_qs, u"300"_qs,
                       u"DejaVu Sans"_qs, u"10"_qs, u"1"_qs, u"0"_qs, u"DejaVu Serif"_qs, u"Windows"_qs});
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller")});
    m_root->writeList(kRecipe + u"liste.txt"_qs, kIngredients);
    m_root->writeBytes(kRecipe + u".rtf"_qs, kDescription);

    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    m_out = std::make_unique<QTemporaryDir>();
    m_jobs = std::make_unique<PdfFiles>(m_out->path());
    printform->printTarget = m_jobs.get();
}

void TestPrintCommands::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestPrintCommands::print(QAction *command, const Fields &fields)
{
    w->updateActions();
    QVERIFY(command->isEnabled());
    whenPrintDialogOnTop([fields] {
        printform->Edit1->setText(fields.left);
        printform->Edit2->setText(fields.right);
        printform->Edit3->setText(fields.top);
        printform->Edit4->setText(fields.bottom);
        printform->Edit5->setText(fields.copies);
        QTest::mouseClick(printform->Button3, Qt::LeftButton);
    });
    command->trigger();
    QVERIFY(!printform->isVisible());
}

QString TestPrintCommands::onlyJob() const
{
    return m_jobs->files.size() == 1 ? m_jobs->files.first() : QString();
}

void chooseBoller(Tmainform *w)
{
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
}

void TestPrintCommands::enableRules_followIngredientsAndDescription()
{
    const auto enabled = [this] {
        w->updateActions();
        return QList<bool>{w->AudskrivIngredienser->isEnabled(), w->AudskrivOpskrift->isEnabled(),
                           w->AudskrivBegge->isEnabled()};
    };
    QCOMPARE(enabled(), (QList<bool>{false, false, false}));
    chooseBoller(w);
    QCOMPARE(enabled(), (QList<bool>{true, true, true}));
    w->Editor->clear();
    QCOMPARE(enabled(), (QList<bool>{true, false, false}));
    w->Editor->setPlainText(QStringLiteral("Dej"));
    w->ingrediensBox->clearEntries();
    QCOMPARE(enabled(), (QList<bool>{false, true, false}));
}

void TestPrintCommands::ingredienser_headingThenLinesInTheirStyles()
{
    chooseBoller(w);
    print(w->AudskrivIngredienser);

    QTextDocument *memo = invisform->memo->document();
    QCOMPARE(memo->toPlainText(), QStringLiteral("Ingredienser:\n500 g hvedemel\n50 g gær\n<b>1 tsk salt</b>"));
    for (QTextBlock block = memo->begin(); block.isValid(); block = block.next()) {
        const bool heading = block.blockNumber() == 0;
        QTextCursor inside(block); // the format of the block's last character
        inside.movePosition(QTextCursor::EndOfBlock);
        const QTextCharFormat f = inside.charFormat();
        QCOMPARE(f.foreground().color(), heading ? QColor(0, 0, 0xff) : QColor(0, 0, 0));
        QCOMPARE(f.fontPointSize(), heading ? 14.0 : 10.0);
        QCOMPARE(f.fontFamilies().toStringList(), QStringList{QStringLiteral("DejaVu Serif")});
    }
    QCOMPARE(pdftools::lines(onlyJob()),
             (QStringList{QStringLiteral("Ingredienser:"), kIngredients[0], kIngredients[1], kIngredients[2]}));
}

void TestPrintCommands::begge_savedDescriptionAfterTwoEmptyLines()
{
    chooseBoller(w);
    QTextCursor(w->Editor->document()).insertText(QStringLiteral("IKKE GEMT "));
    print(w->AudskrivBegge);

    QCOMPARE(invisform->memo->toPlainText(),
             QStringLiteral("Ingredienser:\n500 g hvedemel\n50 g gær\n<b>1 tsk salt</b>\n\n\nDejen hæves i en time."));
    const QTextBlock heading = invisform->memo->document()->begin();
    QTextCursor end(heading);
    end.movePosition(QTextCursor::EndOfBlock);
    QCOMPARE(end.charFormat().fontPointSize(), 14.0);

    const QString pdf = onlyJob();
    QCOMPARE(pdftools::lines(pdf),
             (QStringList{QStringLiteral("Ingredienser:"), kIngredients[0], kIngredients[1], kIngredients[2],
                          QStringLiteral("Dejen hæves i en time.")}));
    // The two empty lines stand between the last ingredient and the description.
    const QList<pdftools::Word> words = pdftools::words(pdf);
    const auto top = [&words](const QString &text) {
        for (const pdftools::Word &word : words)
            if (word.text == text)
                return word.box.top();
        return -1.0;
    };
    const double step = top(QStringLiteral("50")) - top(QStringLiteral("500"));
    const double gap = top(QStringLiteral("Dejen")) - top(QStringLiteral("<b>1"));
    QVERIFY2(step > 5 && gap > 2.5 * step, qPrintable(QStringLiteral("line %1, gap %2").arg(step).arg(gap)));
}

void TestPrintCommands::opskriften_printsTheEditorAsShown()
{
    chooseBoller(w);
    QTextCursor(w->Editor->document()).insertText(QStringLiteral("IKKE GEMT "));
    print(w->AudskrivOpskrift);
    QCOMPARE(pdftools::lines(onlyJob()), QStringList{QStringLiteral("IKKE GEMT Dejen hæves i en time.")});
    QCOMPARE(invisform->memo->toPlainText(), QStringLiteral("memo"));
}

void TestPrintCommands::dialogValues_giveMarginsAndCopies()
{
    chooseBoller(w);
    Fields fields;
    fields.left = QStringLiteral("4,25");
    fields.top = QStringLiteral("5");
    fields.copies = QStringLiteral("2");
    print(w->AudskrivIngredienser, fields);
    QCOMPARE(m_jobs->files.size(), 2);
    for (const QString &job : std::as_const(m_jobs->files)) {
        const QList<pdftools::Word> words = pdftools::words(job);
        QVERIFY(!words.isEmpty());
        QVERIFY2(qAbs(words.first().box.left() - 4.25 * kPointsPerCm) < 1.5, qPrintable(QString::number(words.first().box.left())));
        QVERIFY2(qAbs(words.first().box.top() - 5 * kPointsPerCm) < 1.5, qPrintable(QString::number(words.first().box.top())));
    }
}

void TestPrintCommands::cancel_printsNothing()
{
    chooseBoller(w);
    for (QAction *command : {w->AudskrivIngredienser, w->AudskrivOpskrift, w->AudskrivBegge}) {
        whenPrintDialogOnTop([] { QTest::mouseClick(printform->Button2, Qt::LeftButton); });
        command->trigger();
        whenPrintDialogOnTop([] { closeWithCloseBox(printform); });
        command->trigger();
    }
    QCOMPARE(m_jobs->files, QStringList());
    QCOMPARE(invisform->memo->toPlainText(), QStringLiteral("memo"));
    QCOMPARE(MessageHook::takeShown(), QStringList());
}

void TestPrintCommands::emptyField_isReportedAndNothingPrinted()
{
    chooseBoller(w);
    Fields fields;
    fields.bottom.clear();
    MessageHook::queue(MessageHook::Answer::Ok);
    print(w->AudskrivBegge, fields);
    // A plain message box; the hook files every such box under "Error".
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Error: Der mangler en værdi, prøv igen!")});
    QCOMPARE(m_jobs->files, QStringList());
    QCOMPARE(invisform->memo->toPlainText(), QStringLiteral("memo"));
}

void TestPrintCommands::valueThatIsNoNumber_isReportedBeforeAnythingIsTouched_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("two commas") << 1 << "1,2,3" << "\"1,2,3\" i feltet Venstre er ikke et gyldigt tal.";
    QTest::newRow("a comma alone") << 4 << "," << "\",\" i feltet Bund er ikke et gyldigt tal.";
    QTest::newRow("copies beyond 32 bits") << 5 << "2147483648"
                                           << "\"2147483648\" i feltet Kopiantal er ikke et gyldigt heltal.";
}

void TestPrintCommands::valueThatIsNoNumber_isReportedBeforeAnythingIsTouched()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, error);
    chooseBoller(w);
    Fields fields;
    (field == 1 ? fields.left : field == 4 ? fields.bottom : fields.copies) = text;
    MessageHook::queue(MessageHook::Answer::Ok);
    print(w->AudskrivBegge, fields);
    QCOMPARE(MessageHook::takeShown(), QStringList{u"Error: "_qs + error});
    QCOMPARE(m_jobs->files, QStringList());
    QCOMPARE(invisform->memo->toPlainText(), QStringLiteral("memo"));
}

void TestPrintCommands::commaIsTheDecimalSign_whateverTheLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::setlocale(LC_NUMERIC, "C");
    chooseBoller(w);
    Fields fields;
    fields.left = QStringLiteral("3,5");
    print(w->AudskrivOpskrift, fields);
    QLocale::setDefault(before);
    const QList<pdftools::Word> words = pdftools::words(onlyJob());
    QVERIFY(!words.isEmpty());
    QVERIFY2(qAbs(words.first().box.left() - 3.5 * kPointsPerCm) < 1.5, qPrintable(QString::number(words.first().box.left())));
}

void TestPrintCommands::missingDescriptionFile_forBegge_isReported()
{
    chooseBoller(w);
    QVERIFY(QFile::remove(m_root->file(kRecipe + u".rtf"_qs)));
    MessageHook::queue(MessageHook::Answer::Ok);
    print(w->AudskrivBegge);
    QCOMPARE(MessageHook::takeShown(),
             QStringList{u"Error: Filen \""_qs + m_root->file(kRecipe + u".rtf"_qs) + u"\" kan ikke læses."_qs});
    QCOMPARE(m_jobs->files, QStringList());
    QCOMPARE(invisform->memo->toPlainText(), QString());
}

void TestPrintCommands::noDefaultPrinter_isReported()
{
    chooseBoller(w);
    printform->printTarget = nullptr;
    MessageHook::queue(MessageHook::Answer::Ok);
    print(w->AudskrivOpskrift);
    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Error: Der er ingen standardprinter.")});
}

namespace {

// What a preview shows: its page count, and its pages drawn once more into a PDF by the
// preview's own drawing (the preview keeps its pages as pictures).
struct Shown {
    int pages = -1;
    QString pdf;
    QString title;
    QStringList actions;
};

Shown readPreview(QPrintPreviewDialog *preview, const QString &dir)
{
    Shown shown;
    shown.pages = preview->findChild<QPrintPreviewWidget *>()->pageCount();
    shown.title = preview->windowTitle();
    for (QAction *action : preview->findChildren<QAction *>())
        if (action->isVisible() && !action->text().isEmpty())
            shown.actions << action->text();
    PdfFiles again(dir);
    const std::unique_ptr<QPrinter> printer = again.beginJob();
    emit preview->paintRequested(printer.get());
    shown.pdf = printer->outputFileName();
    return shown;
}

} // namespace

void TestPrintCommands::preview_showsThePagesThePrintGives_data()
{
    QTest::addColumn<QString>("preview");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("pages");
    QTest::newRow("Ingredienser") << "AvisIngredienser" << "AudskrivIngredienser" << 1;
    QTest::newRow("Opskriften, three pages") << "AvisOpskrift" << "AudskrivOpskrift" << 3;
    QTest::newRow("Begge") << "AvisBegge" << "AudskrivBegge" << 1;
}

void TestPrintCommands::preview_showsThePagesThePrintGives()
{
    QFETCH(QString, preview);
    QFETCH(QString, command);
    QFETCH(int, pages);
    QVERIFY(useDanishQtTexts(qApp));
    chooseBoller(w);
    if (pages > 1) {
        QStringList lines;
        for (int i = 1; i <= 130; ++i)
            lines << QStringLiteral("Linje %1 af beskrivelsen med æ, ø og å.").arg(i);
        w->Editor->setPlainText(lines.join(u'\n'));
    }
    w->updateActions();
    QAction *previewAction = w->findChild<QAction *>(preview);
    QVERIFY(previewAction && previewAction->isEnabled());
    QCOMPARE(previewAction->text(), QStringLiteral("Vis udskrift"));

    QTemporaryDir shownDir;
    Shown shown;
    whenPreviewOnTop([&](QPrintPreviewDialog *dialog) {
        shown = readPreview(dialog, shownDir.path());
        dialog->reject();
    });
    previewAction->trigger();
    QCOMPARE(shown.title, QStringLiteral("Vis udskrift"));
    // The toolkit's captions in Danish; page setup and orientation are not offered.
    QVERIFY(shown.actions.contains(QCoreApplication::translate("QPrintPreviewDialog", "Next page")));
    QVERIFY(!shown.actions.contains(QStringLiteral("Next page")));
    QVERIFY(!shown.actions.contains(QCoreApplication::translate("QPrintPreviewDialog", "Page setup")));
    QCOMPARE(m_jobs->files, QStringList()); // a look only

    print(w->findChild<QAction *>(command));
    QCOMPARE(shown.pages, pages);
    QCOMPARE(pdftools::pages(onlyJob()), pages);
    QCOMPARE(pdftools::pages(shown.pdf), pages);
    QCOMPARE(pdftools::text(shown.pdf), pdftools::text(onlyJob()));
}

void TestPrintCommands::previewFromTheDialog_takesItsValues_andItsPrintPrints()
{
    chooseBoller(w);
    w->updateActions();
    QTemporaryDir shownDir;
    Shown shown;
    whenPrintDialogOnTop([&] {
        printform->Edit1->setText(QStringLiteral("6"));
        whenPreviewOnTop([&](QPrintPreviewDialog *dialog) {
            shown = readPreview(dialog, shownDir.path());
            const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
            for (QAction *action : dialog->findChildren<QAction *>())
                if (action->text() == print)
                    action->trigger();
        });
        QTest::mouseClick(printform->Button4, Qt::LeftButton);
    });
    w->AudskrivIngredienser->trigger();
    QVERIFY(!printform->isVisible());
    QCOMPARE(shown.pages, 1);
    // "Udskriv" in the preview printed one job through the command, as the preview showed it.
    QCOMPARE(pdftools::lines(onlyJob()), pdftools::lines(shown.pdf));
    const QList<pdftools::Word> words = pdftools::words(onlyJob());
    QVERIFY(!words.isEmpty());
    QVERIFY(qAbs(words.first().box.left() - 6 * kPointsPerCm) < 1.5);
    QVERIFY(qAbs(pdftools::words(shown.pdf).first().box.left() - 6 * kPointsPerCm) < 1.5);
    QVERIFY(!printform->Button4->isEnabled()); // only while a command asks
}

void TestPrintCommands::gemSomPdf_givesThePageBeggePrints()
{
    chooseBoller(w);
    w->updateActions();
    QVERIFY(w->AgemPdf->isEnabled());
    const QString file = m_out->filePath(QStringLiteral("Boller.pdf"));
    QString suggested;
    saveFileAnswer = [&](const QString &, const QString &suggestion) {
        suggested = suggestion;
        return file;
    };
    w->AgemPdf->trigger();
    saveFileAnswer = nullptr;
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("Boller.pdf"));
    QCOMPARE(m_jobs->files, QStringList());
    print(w->AudskrivBegge);
    QCOMPARE(pdftools::lines(file), pdftools::lines(onlyJob()));
    QVERIFY(pdftools::run(QStringLiteral("pdfinfo"), {file}).contains(QStringLiteral("(A4)")));
    QCOMPARE(QDir(m_out->path()).entryList({QStringLiteral("Boller.pdf*")}, QDir::Files),
             QStringList{QStringLiteral("Boller.pdf")});
}

void TestPrintCommands::scaledRecipe_printsTheLinesAsShownUnderTheirNumber_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Ingredienser") << QStringLiteral("AudskrivIngredienser");
    QTest::newRow("Begge") << QStringLiteral("AudskrivBegge");
    QTest::newRow("Gem som PDF") << QStringLiteral("AgemPdf");
}

void TestPrintCommands::scaledRecipe_printsTheLinesAsShownUnderTheirNumber()
{
    QFETCH(QString, command);
    chooseBoller(w);
    w->modeGroup->button(0)->click();
    PortionControl *portions = w->portionPanel.existing();
    QVERIFY(portions && portions->isVisible());
    portions->antalBox->setValue(4); // the description names no number: the user gives it
    portions->oenskeBox->setValue(6);
    const QStringList shown = w->ingrediensBox->shownEntries();
    QCOMPARE(shown.mid(0, 2), (QStringList{QStringLiteral("750 g hvedemel"), QStringLiteral("75 g gær")}));

    QString pdf;
    if (command == u"AgemPdf") {
        pdf = m_out->filePath(QStringLiteral("Boller.pdf"));
        saveFileAnswer = [&](const QString &, const QString &) { return pdf; };
        w->updateActions();
        w->AgemPdf->trigger();
        saveFileAnswer = nullptr;
    } else {
        print(w->findChild<QAction *>(command));
        pdf = onlyJob();
    }
    const QStringList expected = QStringList{QStringLiteral("Ingredienser:"), QStringLiteral("Til 6 personer")} + shown
        + (command == u"AudskrivIngredienser" ? QStringList() : QStringList{QStringLiteral("Dejen hæves i en time.")});
    QCOMPARE(pdftools::lines(pdf), expected);
    // Printing saved nothing: the list file holds the lines as written.
    QCOMPARE(m_root->readList(kRecipe + u"liste.txt"_qs), kIngredients);
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"
