#include "editor/fontpanel.h"
#include "mainwindow/listbox.h"
#include "mainwindowfixture.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QToolBar>

namespace {

const QByteArray kDescription =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
    "{\\colortbl ;\\red255\\green0\\blue0;}\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs28 Dej\\cf0\\b0\\par "
    "R\\'f8r sm\\'f8r og sukker\\par}";

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void start_opensPrivateAreaWithItsTitle();
    void walkDown_loadsEachLevelAndTheDescription();
    void choosingHigher_emptiesTheLevelsBelow();
    void missingFolderOrFiles_areEmptyWithoutMessage();
    void arrowKeys_chooseLikeTheMouse();
    void areaSwitch_reopensTheArea();
    void modeSwitch_hidesExactlyTheSixPanels();
    void unsavedDescription_isDroppedWithoutQuestion();
    void unreadableIndex_reachesTheGeneralErrorReport();
    void listBox_writesBackInTheEncodingItRead();
    void focusAndTab_chooseNothing();
    void tab_walksTheColumnsInReadingOrder();
    void onlyALeftClickOnAnEntryChooses_data();
    void onlyALeftClickOnAnEntryChooses();
    void checkedAreaButtonAgain_changesNothing();
    void trayClick_restoresAMaximisedWindowMaximised();
    void emptyArea_showsAHintUntilItHasAnEntry();

private:

    std::unique_ptr<TestDataRoot> m_root;
    std::unique_ptr<MainWindowFixture> m_fixture;
    Tmainform *w = nullptr;
};

void TestNavigation::init()
{
    m_root = std::make_unique<TestDataRoot>();
    const QString user = Tmainform::GetUserFromWindows();
    m_root->writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"),
                      {QStringLiteral("Desserter"), QStringLiteral("Tom"), QStringLiteral("Supper")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Desserter/Index.txt"),
                      {QStringLiteral("Kager"), QStringLiteral("Is")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Desserter/Kager/Index.txt"),
                      {QStringLiteral("Æblekage"), QStringLiteral("Boller")});
    m_root->writeList(QStringLiteral("Brugere/Alle/Desserter/Kager/Æblekageliste.txt"),
                      {QStringLiteral("200 g mel"), QStringLiteral("2 æg")});
    m_root->writeBytes(QStringLiteral("Brugere/Alle/Desserter/Kager/Æblekage.rtf"), kDescription);
    QDir().mkpath(m_root->file(QStringLiteral("Brugere/Alle/Supper")));
    m_root->writeList(QStringLiteral("Brugere/%1/Hovedkategori.txt").arg(user), {QStringLiteral("Mine")});

    m_fixture = std::make_unique<MainWindowFixture>(*m_root);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
}

void TestNavigation::cleanup()
{
    m_fixture.reset();
    m_root.reset();
    w = nullptr;
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestNavigation::start_opensPrivateAreaWithItsTitle()
{
    const QString user = Tmainform::GetUserFromWindows();
    QCOMPARE(w->windowTitle(), user + QStringLiteral(": Retterum"));
    QCOMPARE(w->hovedKatBox->entries(), QStringList{QStringLiteral("Mine")});
    QCOMPARE(w->dir, m_root->file(QStringLiteral("Brugere/%1/").arg(user)));
    QCOMPARE(w->opstartGroup->checkedId(), 1);
    QCOMPARE(w->modeGroup->checkedId(), 0);
    QCOMPARE(w->opskriftLabel->text(), QStringLiteral("Opskrift"));
}

void TestNavigation::walkDown_loadsEachLevelAndTheDescription()
{
    w->opstartGroup->button(0)->click();
    const QString alle = m_root->file(QStringLiteral("Brugere/Alle/"));

    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    QCOMPARE(w->hovedIndex, 0);
    QCOMPARE(w->hovedKatEdit->text(), QStringLiteral("Desserter"));
    QCOMPARE(w->underDir, alle + QStringLiteral("Desserter/"));
    QCOMPARE(w->underFile, alle + QStringLiteral("Desserter/Index.txt"));
    QCOMPARE(w->underKatBox->entries(), (QStringList{QStringLiteral("Kager"), QStringLiteral("Is")}));

    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    QCOMPARE(w->underIndex, 0);
    QCOMPARE(w->opskriftDir, alle + QStringLiteral("Desserter/Kager/"));
    QCOMPARE(w->opskriftBox->entries(), (QStringList{QStringLiteral("Æblekage"), QStringLiteral("Boller")}));

    chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));
    QCOMPARE(w->opskriftIndex, 0);
    QCOMPARE(w->opskriftLabel->text(), QStringLiteral("Desserter | Kager | Æblekage"));
    QCOMPARE(w->opskriftEdit->text(), QStringLiteral("Æblekage"));
    QCOMPARE(w->filnavn, alle + QStringLiteral("Desserter/Kager/Æblekage.rtf"));
    QCOMPARE(w->fillistenavn, alle + QStringLiteral("Desserter/Kager/Æblekageliste.txt"));
    QCOMPARE(w->ingrediensBox->entries(), (QStringList{QStringLiteral("200 g mel"), QStringLiteral("2 æg")}));
    QCOMPARE(w->Editor->toPlainText(), QStringLiteral("Dej\nRør smør og sukker"));
    QVERIFY(!w->Editor->document()->isModified());
    QTextCursor heading(w->Editor->document());
    heading.movePosition(QTextCursor::NextCharacter);
    QVERIFY(heading.charFormat().font().bold());
    QCOMPARE(heading.charFormat().foreground().color(), QColor(255, 0, 0));

    chooseEntry(w->ingrediensBox, QStringLiteral("2 æg"));
    QCOMPARE(w->ingrediensIndex, 1);
    QCOMPARE(w->ingrediensEdit->text(), QStringLiteral("2 æg"));
    QCOMPARE(w->opskriftIndex, 0);
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestNavigation::choosingHigher_emptiesTheLevelsBelow()
{
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));
    chooseEntry(w->ingrediensBox, QStringLiteral("2 æg"));

    chooseEntry(w->underKatBox, QStringLiteral("Kager")); // the same entry again
    QCOMPARE(w->underIndex, 0);
    QCOMPARE(w->opskriftBox->count(), 2);
    QCOMPARE(w->opskriftIndex, -1);
    QCOMPARE(w->ingrediensIndex, -1);
    QCOMPARE(w->ingrediensBox->count(), 0);
    QVERIFY(w->ingrediensEdit->text().isEmpty());
    QVERIFY(w->opskriftEdit->text().isEmpty());
    QVERIFY(w->Editor->toPlainText().isEmpty());
    QCOMPARE(w->opskriftLabel->text(), QStringLiteral("Opskrift"));
    QVERIFY(w->filnavn.isEmpty());
    QVERIFY(w->fillistenavn.isEmpty());
    QVERIFY(!w->opskriftDir.isEmpty());

    chooseEntry(w->hovedKatBox, QStringLiteral("Supper"));
    QCOMPARE(w->underIndex, -1);
    QCOMPARE(w->underKatBox->count(), 0);
    QCOMPARE(w->opskriftBox->count(), 0);
    QVERIFY(w->underKatEdit->text().isEmpty());
    QVERIFY(w->opskriftDir.isEmpty());
    QCOMPARE(w->hovedKatBox->count(), 3);
}

void TestNavigation::missingFolderOrFiles_areEmptyWithoutMessage()
{
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Tom")); // no folder
    QCOMPARE(w->hovedIndex, 1);
    QCOMPARE(w->underKatBox->count(), 0);
    QVERIFY(w->underFile.endsWith(QStringLiteral("Tom/Index.txt")));

    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Is")); // no folder below a listed name
    QCOMPARE(w->opskriftBox->count(), 0);

    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller")); // neither description nor ingredients
    QCOMPARE(w->ingrediensBox->count(), 0);
    QVERIFY(w->Editor->toPlainText().isEmpty());
    QVERIFY(w->filnavn.endsWith(QStringLiteral("Kager/Boller.rtf")));
    QVERIFY(w->fillistenavn.endsWith(QStringLiteral("Kager/Bollerliste.txt")));
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestNavigation::arrowKeys_chooseLikeTheMouse()
{
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));

    w->opskriftBox->setFocus();
    QTest::keyClick(w->opskriftBox, Qt::Key_Up);
    QCOMPARE(w->opskriftIndex, 0);
    QCOMPARE(w->opskriftLabel->text(), QStringLiteral("Desserter | Kager | Æblekage"));
    QCOMPARE(w->ingrediensBox->count(), 2);
    QVERIFY(w->Editor->toPlainText().contains(QStringLiteral("sukker")));

    w->hovedKatBox->setFocus();
    QTest::keyClick(w->hovedKatBox, Qt::Key_Down);
    QCOMPARE(w->hovedIndex, 1);
    QCOMPARE(w->hovedKatEdit->text(), QStringLiteral("Tom"));
    QCOMPARE(w->underKatBox->count(), 0);
    QCOMPARE(w->opskriftBox->count(), 0);
    QVERIFY(w->Editor->toPlainText().isEmpty());
}

void TestNavigation::areaSwitch_reopensTheArea()
{
    w->opstartGroup->button(0)->click();
    QCOMPARE(w->windowTitle(), QStringLiteral("Retterum for alle"));
    QCOMPARE(w->brugerOpstart, 0);
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));

    w->opstartGroup->button(1)->click();
    QCOMPARE(w->windowTitle(), Tmainform::GetUserFromWindows() + QStringLiteral(": Retterum"));
    QCOMPARE(w->hovedKatBox->entries(), QStringList{QStringLiteral("Mine")});
    for (ListBox *box : {w->underKatBox, w->opskriftBox, w->ingrediensBox})
        QCOMPARE(box->count(), 0);
    for (QLineEdit *edit : {w->hovedKatEdit, w->underKatEdit, w->opskriftEdit, w->ingrediensEdit})
        QVERIFY(edit->text().isEmpty());
    QCOMPARE(w->hovedIndex, -1);
    QVERIFY(w->underDir.isEmpty());
    QVERIFY(w->filnavn.isEmpty());
    QVERIFY(w->Editor->toPlainText().isEmpty());

    w->opstartGroup->button(0)->click();
    QCOMPARE(w->hovedKatBox->count(), 3);
    QVERIFY(w->hovedKatEdit->text().isEmpty());
}

void TestNavigation::modeSwitch_hidesExactlyTheSixPanels()
{
    const QList<QWidget *> writePanels{w->newHovedKatPanel, w->newUnderKatPanel,
                                       w->newOpskriftPanel, w->newIngrediensPanel,
                                       w->fontPanel, w->toolPanel};
    const QList<QWidget *> alwaysShown{w->hovedKatBox, w->underKatBox, w->opskriftBox,
                                       w->ingrediensBox, w->Editor, w->Panel2, w->opskriftLabel};

    w->modeGroup->button(1)->click();
    QCOMPARE(w->programMode, 1);
    for (QWidget *panel : writePanels)
        QVERIFY2(panel->isVisible(), qPrintable(panel->objectName()));

    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    w->modeGroup->button(0)->click();
    QCOMPARE(w->programMode, 0);
    for (QWidget *panel : writePanels)
        QVERIFY2(!panel->isVisible(), qPrintable(panel->objectName()));
    for (QWidget *shown : alwaysShown)
        QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    QCOMPARE(w->hovedIndex, 0); // the mode changes only what is shown
    QCOMPARE(w->underKatBox->count(), 2);
}

void TestNavigation::unsavedDescription_isDroppedWithoutQuestion()
{
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));

    // Read mode still lets the description be typed into.
    QCOMPARE(w->programMode, 0);
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("ny tekst"));
    QVERIFY(w->Editor->document()->isModified());

    chooseEntry(w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(!w->Editor->document()->isModified());
    QVERIFY(w->Editor->toPlainText().isEmpty());
    QVERIFY(MessageHook::shown().isEmpty());
}

void TestNavigation::unreadableIndex_reachesTheGeneralErrorReport()
{
    // A folder standing where the index file should be exists but can't be read.
    QVERIFY(QDir().mkpath(m_root->file(QStringLiteral("Brugere/Alle/Supper/Index.txt"))));
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));

    MessageHook::queue(MessageHook::Answer::Ok);
    chooseEntry(w->hovedKatBox, QStringLiteral("Supper"));
    const QStringList shown = MessageHook::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith(QStringLiteral("Error: Filen \"")), qPrintable(shown.first()));
    QVERIFY(shown.first().contains(QStringLiteral("Supper/Index.txt\" kan ikke læses")));
    QCOMPARE(w->hovedIndex, 2);
    QCOMPARE(w->underKatBox->count(), 0);
    QCOMPARE(w->opskriftBox->count(), 0);
}

void TestNavigation::listBox_writesBackInTheEncodingItRead()
{
    ListBox box(ListItemDelegate::Marker::SkyBlueSquare);
    const store::Tree tree(m_root->path(), false);
    m_root->writeList(QStringLiteral("utf8.txt"), {QStringLiteral("Æble")}, store::ListEncoding::Utf8Bom);
    m_root->writeList(QStringLiteral("ansi.txt"), {QStringLiteral("Æble")});

    QVERIFY(box.loadFile(tree, m_root->file(QStringLiteral("utf8.txt"))));
    box.addItem(QStringLiteral("Pære"));
    QVERIFY(box.saveFile(tree, m_root->file(QStringLiteral("out1.txt"))));
    QFile out1(m_root->file(QStringLiteral("out1.txt")));
    QVERIFY(out1.open(QIODevice::ReadOnly));
    QCOMPARE(out1.readAll(), QByteArray("\xEF\xBB\xBF\xC3\x86" "ble\r\nP\xC3\xA6re\r\n"));

    QVERIFY(box.loadFile(tree, m_root->file(QStringLiteral("ansi.txt"))));
    QVERIFY(box.saveFile(tree, m_root->file(QStringLiteral("out2.txt"))));
    QFile out2(m_root->file(QStringLiteral("out2.txt")));
    QVERIFY(out2.open(QIODevice::ReadOnly));
    QCOMPARE(out2.readAll(), QByteArray("\xC6" "ble\r\n"));
}

// After the first activation the area is open with nothing chosen; the focus moving into a
// list (Qt makes its first row current then) chooses nothing either.
void TestNavigation::focusAndTab_chooseNothing()
{
    w->modeGroup->button(1)->click();
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));
    w->opstartGroup->button(1)->click();
    w->opstartGroup->button(0)->click();
    QCOMPARE(w->hovedIndex, -1);

    w->activateWindow();
    QTRY_VERIFY(w->isActiveWindow());
    for (ListBox *box : {w->hovedKatBox, w->ingrediensBox}) {
        if (box == w->ingrediensBox) {
            chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
            chooseEntry(w->underKatBox, QStringLiteral("Kager"));
            chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));
        }
        box->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(box->hasFocus());
        QCOMPARE(box->selectedIndex(), -1);
        QVERIFY(box->selectedItems().isEmpty());
        QTest::keyClick(box, Qt::Key_Tab);
    }
    QCOMPARE(w->hovedIndex, 0);
    QCOMPARE(w->ingrediensIndex, -1);
    w->updateActions();
    QVERIFY(!w->AsletIngrediens->isEnabled());
    QCOMPARE(w->underKatBox->count(), 2);
}

// Tab goes down the left column, through the centre and down the right column, disabled
// buttons included (they are passed over while disabled).
void TestNavigation::tab_walksTheColumnsInReadingOrder()
{
    using namespace Qt::StringLiterals;
    w->modeGroup->button(1)->click();
    QStringList order;
    QWidget *widget = w->hovedKatBox;
    do {
        // The tool bar's buttons that don't fit the width wait behind its extension button.
        const bool shown = widget->isVisible() || w->toolPanel->isAncestorOf(widget);
        if (shown && (widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().startsWith(u"qt_"))
            order << (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                                     : widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != w->hovedKatBox);
    const QString edit = QStringLiteral("QLineEdit");
    const QString radio = QStringLiteral("QRadioButton");
    const QString button = QStringLiteral("ActionButton");
    const QStringList expected{
        u"hovedKatBox"_s, u"hovedKatEdit"_s, button, button, button,
        u"underKatBox"_s, u"underKatEdit"_s, button, button, button,
        u"colorGrid"_s, u"sizeBox"_s, edit, u"nameBox"_s, edit, u"fontButton"_s, u"sizeButton1"_s,
        u"sizeButton2"_s, u"sizeButton3"_s, u"sizeButton4"_s, u"sizeButton5"_s, u"osButton"_s, u"textButton"_s,
        u"FormatRichEditBullets1"_s, u"FormatRichEditAlignLeft1"_s, u"FormatRichEditAlignCenter1"_s,
        u"FormatRichEditAlignRight1"_s, u"FormatRichEditBold1"_s, u"FormatRichEditItalic1"_s,
        u"FormatRichEditUnderline1"_s, u"FormatRichEditStrikeOut1"_s, u"menuButton"_s, u"EditStavekontrol"_s,
        u"AgemBeskrivelse"_s, u"Areload"_s, u"bingUrl"_s, u"googleUrl"_s, u"tubeUrl"_s, u"hentOpskriftButton"_s, u"Editor"_s,
        radio, radio, radio, radio, u"infButton"_s, u"optButton"_s,
        u"ingrediensBox"_s, u"ingrediensEdit"_s, button, button, button,
        u"opskriftBox"_s, u"opskriftEdit"_s, button, button, button, u"findButton"_s};
    QCOMPARE(order, expected);
}

void TestNavigation::onlyALeftClickOnAnEntryChooses_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("belowTheEntries");
    QTest::addColumn<int>("chosenAfter");

    QTest::newRow("left click on Supper") << int(Qt::LeftButton) << 0 << false << 2;
    QTest::newRow("right click") << int(Qt::RightButton) << 0 << false << 0;
    QTest::newRow("middle click") << int(Qt::MiddleButton) << 0 << false << 0;
    QTest::newRow("left click below the entries") << int(Qt::LeftButton) << 0 << true << 0;
    QTest::newRow("ctrl click on the chosen one") << int(Qt::LeftButton) << int(Qt::ControlModifier) << false << 0;
}

void TestNavigation::onlyALeftClickOnAnEntryChooses()
{
    QFETCH(int, button);
    QFETCH(int, modifiers);
    QFETCH(bool, belowTheEntries);
    QFETCH(int, chosenAfter);

    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    ListBox *box = w->hovedKatBox;
    const QRect chosen = box->visualItemRect(box->item(0));
    QPoint at = box->visualItemRect(box->item(2)).center();
    if (belowTheEntries)
        at = QPoint(at.x(), box->visualItemRect(box->item(2)).bottom() + 30);
    if (modifiers != 0)
        at = chosen.center();
    QTest::mouseClick(box->viewport(), Qt::MouseButton(button), Qt::KeyboardModifiers(modifiers), at);

    QCOMPARE(w->hovedIndex, chosenAfter);
    QCOMPARE(box->selectedIndex(), chosenAfter);
    // The highlight shows the chosen entry and nothing else.
    const QList<QListWidgetItem *> highlighted = box->selectedItems();
    QCOMPARE(highlighted.size(), 1);
    QCOMPARE(box->row(highlighted.first()), chosenAfter);
    QCOMPARE(w->hovedKatEdit->text(), box->entry(chosenAfter));
}

// Clicking "For alle" again while it is checked keeps the choice and the unsaved text.
void TestNavigation::checkedAreaButtonAgain_changesNothing()
{
    w->opstartGroup->button(0)->click();
    chooseEntry(w->hovedKatBox, QStringLiteral("Desserter"));
    chooseEntry(w->underKatBox, QStringLiteral("Kager"));
    chooseEntry(w->opskriftBox, QStringLiteral("Æblekage"));
    w->Editor->setFocus();
    QTest::keyClicks(w->Editor, QStringLiteral("ny"));
    QVERIFY(w->Editor->document()->isModified());

    QTest::mouseClick(w->opstartGroup->button(0), Qt::LeftButton);
    QCOMPARE(w->opskriftIndex, 0);
    QVERIFY(w->Editor->document()->isModified());
    QCOMPARE(w->ingrediensBox->count(), 2);
    QTest::mouseClick(w->modeGroup->button(0), Qt::LeftButton);
    QVERIFY(w->Editor->document()->isModified());
}

void TestNavigation::trayClick_restoresAMaximisedWindowMaximised()
{
    w->showMaximized();
    QTRY_VERIFY(w->isMaximized());
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    emit w->TrayIcon->activated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(!w->isMinimized());
    QVERIFY(w->isMaximized());
}

void TestNavigation::emptyArea_showsAHintUntilItHasAnEntry()
{
    // The area this fixture opens has an entry: no hint.
    w->updateActions();
    QCOMPARE(w->Editor->placeholderText(), QString());

    m_fixture.reset();
    TestDataRoot fresh;
    fresh.writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager")});
    m_fixture = std::make_unique<MainWindowFixture>(fresh);
    w = m_fixture->window();
    QVERIFY(m_fixture->showAndActivate());
    QCOMPARE(w->brugerOpstart, 1);
    QCOMPARE(w->hovedKatBox->count(), 0);
    QTRY_VERIFY(w->Editor->placeholderText().contains(QStringLiteral("\"For alle\"")));
    QVERIFY(w->Editor->placeholderText().contains(QStringLiteral("\"Skriv\"")));
    QVERIFY(w->Editor->toPlainText().isEmpty()); // drawn, not text of the description

    // The shared area has an entry: gone; back in the empty private area: there again.
    QTest::mouseClick(w->opstartGroup->button(0), Qt::LeftButton);
    QTRY_COMPARE(w->Editor->placeholderText(), QString());
    QTest::mouseClick(w->opstartGroup->button(1), Qt::LeftButton);
    QTRY_VERIFY(!w->Editor->placeholderText().isEmpty());

    // The first main category takes it away.
    QTest::mouseClick(w->modeGroup->button(1), Qt::LeftButton);
    QTest::mouseClick(w->hovedKatEdit, Qt::LeftButton);
    QTest::keyClicks(w->hovedKatEdit, QStringLiteral("Supper"));
    QTest::keyClick(w->hovedKatEdit, Qt::Key_Return);
    QCOMPARE(w->hovedKatBox->entries(), QStringList{QStringLiteral("Supper")});
    QTRY_COMPARE(w->Editor->placeholderText(), QString());
    m_fixture.reset();
}

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
