#include "dialogfixture.h"

#include "dialogs/messagedialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<DialogFixture>(); }
    void cleanup() { m_fixture.reset(); }

    void windows_areFixedStayOnTopWithCloseBoxOnly_data();
    void windows_areFixedStayOnTopWithCloseBoxOnly();
    void controls_haveTheirNamesAndCaptions_data();
    void controls_haveTheirNamesAndCaptions();
    void messageHeight_isTextPlus80_data();
    void messageHeight_isTextPlus80();
    void messageDialog_shownAgainWithoutText_isEmpty();
    void firstShowing_centresOverMainWindowInsideWorkArea_data();
    void firstShowing_centresOverMainWindowInsideWorkArea();
    void laterShowing_keepsPositionAndTopEdge();
    void keys_andCloseBox_giveTheirResult_data();
    void keys_andCloseBox_giveTheirResult();
    void tabOrder_followsTheDialog_data();
    void tabOrder_followsTheDialog();
    void question_remembersFocusOfLastAnswer();
    void rename_remembersFocusedControl();
    void rename_handsBackEmptyAndUntrimmedText();

private:
    static ModalDialog *dialogNamed(const QString &name);
    std::unique_ptr<DialogFixture> m_fixture;
};

ModalDialog *TestDialogs::dialogNamed(const QString &name)
{
    if (name == u"info"_s)
        return infform;
    if (name == u"question"_s)
        return spform;
    return redigeringsform;
}

template<typename T>
static T *child(QWidget *dialog, const QString &name)
{
    T *found = dialog->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void TestDialogs::windows_areFixedStayOnTopWithCloseBoxOnly_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("information") << u"info"_s << u"Information"_s << 10;
    QTest::newRow("question") << u"question"_s << u"Spørgsmål"_s << 8;
    QTest::newRow("rename") << u"rename"_s << u"Rediger"_s << 10;
}

void TestDialogs::windows_areFixedStayOnTopWithCloseBoxOnly()
{
    QFETCH(QString, dialog);
    QFETCH(QString, caption);
    QFETCH(int, pointSize);
    ModalDialog *window = dialogNamed(dialog);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->font().family(), u"Tahoma"_s);
    QCOMPARE(window->font().pointSize(), pointSize);
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->parentWidget(), m_fixture->mainWindow.get());
    QVERIFY(!window->isVisible());
    // The main window's icon is not the dialogs' (the rename dialog has its own pen).
    m_fixture->mainWindow->setWindowIcon(QIcon(QPixmap(16, 16)));
    QCOMPARE(window->windowIcon().isNull(), dialog != u"rename"_s);
}

void TestDialogs::controls_haveTheirNamesAndCaptions_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry"); // in its parent; an empty rect is not checked
    QTest::newRow("OK") << u"info"_s << u"BitBtn1"_s << u"OK"_s << QRect();
    QTest::newRow("Nej") << u"question"_s << u"annullerButton"_s << u"Nej"_s << QRect(72, 3, 75, 25);
    QTest::newRow("Ja") << u"question"_s << u"BitBtn1"_s << u"Ja"_s << QRect(153, 3, 75, 25);
    QTest::newRow("Annuller") << u"rename"_s << u"Button1"_s << u"Annuller"_s << QRect(84, 119, 75, 25);
    QTest::newRow("Indfør") << u"rename"_s << u"Button2"_s << u"Indfør"_s << QRect(173, 119, 75, 25);
}

void TestDialogs::controls_haveTheirNamesAndCaptions()
{
    QFETCH(QString, dialog);
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    auto *pushButton = child<QPushButton>(dialogNamed(dialog), button);
    QCOMPARE(pushButton->text(), caption);
    QCOMPARE(pushButton->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!pushButton->autoDefault());
    if (!geometry.isEmpty())
        QCOMPARE(pushButton->geometry(), geometry);
    if (dialog != u"rename"_s) {
        QVERIFY(child<QLabel>(dialogNamed(dialog), u"Image1"_s)->pixmap().size() == QSize(16, 16));
        QVERIFY(child<QLabel>(dialogNamed(dialog), u"Image2"_s)->pixmap().size() == QSize(16, 16));
    }
}

void TestDialogs::messageHeight_isTextPlus80_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("sideMargin");

    // About one and a half widths of the text area: it must wrap once, at a word boundary.
    QString longLine;
    const QFontMetrics metrics(QFont(u"Tahoma"_s, 10));
    while (metrics.horizontalAdvance(longLine) < 480)
        longLine += u"ingrediens "_s;
    longLine = longLine.trimmed();

    const struct { const char *name; QString text; int lines; } cases[] = {
        {"one line", u"Der opstod en ukendt fejl."_s, 1},
        {"two lines", u"Der opstod en ukendt fejl.\rMåske er mappen i brug."_s, 2},
        {"three lines", u"En\rTo\rTre"_s, 3},
        {"CR LF is one break", u"En\r\nTo"_s, 2},
        {"long line wraps", longLine, 2},
    };
    for (const auto &c : cases) {
        QTest::addRow("information, %s", c.name) << u"info"_s << c.text << c.lines << 8;
        QTest::addRow("question, %s", c.name) << u"question"_s << c.text << c.lines << 3;
    }
}

void TestDialogs::messageHeight_isTextPlus80()
{
    QFETCH(QString, dialog);
    QFETCH(QString, text);
    QFETCH(int, lines);
    QFETCH(int, sideMargin);
    auto *window = static_cast<MessageDialog *>(dialogNamed(dialog));
    auto *label = window->findChild<QLabel *>(dialog == u"info"_s ? u"Label1"_s : u"textLabel"_s);
    QVERIFY(label);
    window->insertTekst(text);
    QCOMPARE(window->tekst(), text);

    const int result = execWith(window, [&] {
        QCOMPARE(label->font().pointSize(), 10);
        // One line of 10-point text is 16 pixels on this 96-dpi screen: 96 pixels for one line,
        // 16 more for each further line; the text is 307 or 317 pixels wide.
        QCOMPARE(window->logicalDpiY(), 96);
        QCOMPARE(window->frameGeometry().height(), 96 + 16 * (lines - 1));
        QCOMPARE(window->frameGeometry().width(), 339);
        QCOMPARE(label->geometry(), QRect(sideMargin, 3, 323 - 2 * sideMargin, 16 * lines));
        // The button strip lies along the bottom edge.
        auto *panel = window->findChild<QWidget *>(u"Panel1"_s);
        QCOMPARE(panel->geometry(), QRect(3, window->height() - 34, window->width() - 6, 31));
        QVERIFY(label->geometry().bottom() < panel->geometry().top());
        clickCloseBox(window);
    });
    QCOMPARE(result, int(mrCancel));
    // Closing empties the dialog and returns the text to the small font.
    QCOMPARE(window->tekst(), QString());
    QCOMPARE(label->text(), QString());
    QCOMPARE(label->font().pointSize(), 8);
}

void TestDialogs::messageDialog_shownAgainWithoutText_isEmpty()
{
    infform->insertTekst(u"Første\rbesked"_s);
    QCOMPARE(execWith(infform, [] { child<QPushButton>(infform, u"BitBtn1"_s)->click(); }), int(mrOk));
    auto *label = child<QLabel>(infform, u"Label1"_s);
    QCOMPARE(execWith(infform, [&] {
                 QCOMPARE(label->text(), QString());
                 QCOMPARE(infform->frameGeometry().height(), 96);
                 child<QPushButton>(infform, u"BitBtn1"_s)->click();
             }),
             int(mrOk));
}

void TestDialogs::firstShowing_centresOverMainWindowInsideWorkArea_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QRect>("mainGeometry");
    QTest::addColumn<bool>("clamped");
    for (const QString &dialog : {u"info"_s, u"question"_s, u"rename"_s}) {
        QTest::addRow("%s, centred", qPrintable(dialog)) << dialog << QRect(101, 77, 601, 433) << false;
        QTest::addRow("%s, main window smaller", qPrintable(dialog)) << dialog << QRect(300, 250, 151, 41) << false;
        QTest::addRow("%s, main window off the top left", qPrintable(dialog)) << dialog << QRect(-400, -300, 420, 330) << true;
    }
}

void TestDialogs::firstShowing_centresOverMainWindowInsideWorkArea()
{
    QFETCH(QString, dialog);
    QFETCH(QRect, mainGeometry);
    QFETCH(bool, clamped);
    QMainWindow *main = m_fixture->mainWindow.get();
    main->setGeometry(mainGeometry);
    ModalDialog *window = dialogNamed(dialog);
    if (dialog != u"rename"_s)
        static_cast<MessageDialog *>(window)->insertTekst(u"Skal opskriften slettes?"_s);

    QCOMPARE(execWith(window, [&] {
                 const QRect over = main->frameGeometry();
                 const QRect work = main->screen()->availableGeometry();
                 const QRect placed = window->frameGeometry();
                 // Truncating division, also when the main window is the smaller one.
                 int left = over.left() + (over.width() - placed.width()) / 2;
                 int top = over.top() + (over.height() - placed.height()) / 2;
                 QCOMPARE(left < work.left() || top < work.top(), clamped);
                 left = std::max(left, work.left());
                 top = std::max(top, work.top());
                 QCOMPARE(placed.topLeft(), QPoint(left, top));
                 clickCloseBox(window);
             }),
             int(mrCancel));
}

void TestDialogs::laterShowing_keepsPositionAndTopEdge()
{
    infform->insertTekst(u"En linje"_s);
    int firstHeight = 0;
    QCOMPARE(execWith(infform, [&] {
                 firstHeight = infform->frameGeometry().height();
                 infform->move(37, 41); // the user drags it away
                 clickCloseBox(infform);
             }),
             int(mrCancel));
    m_fixture->mainWindow->move(300, 200);

    infform->insertTekst(u"En\rTo\rTre"_s);
    QCOMPARE(execWith(infform, [&] {
                 const QRect placed = infform->frameGeometry();
                 QCOMPARE(placed.topLeft(), QPoint(37, 41));
                 QVERIFY(placed.height() > firstHeight);
                 QCOMPARE(placed.width(), 339);
                 clickCloseBox(infform);
             }),
             int(mrCancel));
}

void TestDialogs::keys_andCloseBox_giveTheirResult_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QList<int>>("keys"); // typed into the focused control; 0 is the close box
    QTest::addColumn<bool>("stillOpen");  // then the close box ends it
    QTest::addColumn<int>("result");

    const int closeBox = 0;
    QTest::newRow("information: Enter") << u"info"_s << QList<int>{Qt::Key_Return} << false << int(mrOk);
    QTest::newRow("information: keypad Enter") << u"info"_s << QList<int>{Qt::Key_Enter} << false << int(mrOk);
    QTest::newRow("information: Esc does nothing") << u"info"_s << QList<int>{Qt::Key_Escape} << true << int(mrCancel);
    QTest::newRow("information: close box") << u"info"_s << QList<int>{closeBox} << false << int(mrCancel);
    QTest::newRow("question: Enter at once is Ja") << u"question"_s << QList<int>{Qt::Key_Return} << false << int(mrOk);
    QTest::newRow("question: Esc is Nej") << u"question"_s << QList<int>{Qt::Key_Escape} << false << int(mrCancel);
    QTest::newRow("question: close box is Nej") << u"question"_s << QList<int>{closeBox} << false << int(mrCancel);
    QTest::newRow("question: Tab, Enter is Nej") << u"question"_s << QList<int>{Qt::Key_Tab, Qt::Key_Return} << false << int(mrCancel);
    QTest::newRow("rename: Enter in the field does nothing") << u"rename"_s << QList<int>{Qt::Key_Return} << true << int(mrCancel);
    QTest::newRow("rename: Esc does nothing") << u"rename"_s << QList<int>{Qt::Key_Escape} << true << int(mrCancel);
    QTest::newRow("rename: close box") << u"rename"_s << QList<int>{closeBox} << false << int(mrCancel);
    QTest::newRow("rename: Tab, Enter is Indfør") << u"rename"_s << QList<int>{Qt::Key_Tab, Qt::Key_Return} << false << int(mrOk);
    QTest::newRow("rename: Tab, Tab, Enter is Annuller") << u"rename"_s << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << false << int(mrCancel);
}

void TestDialogs::keys_andCloseBox_giveTheirResult()
{
    QFETCH(QString, dialog);
    QFETCH(QList<int>, keys);
    QFETCH(bool, stillOpen);
    QFETCH(int, result);
    ModalDialog *window = dialogNamed(dialog);
    QCOMPARE(execWith(window, [&] {
                 for (int key : std::as_const(keys)) {
                     if (key == 0)
                         clickCloseBox(window);
                     else
                         QTest::keyClick(window->focusWidget(), Qt::Key(key));
                 }
                 QCOMPARE(window->isVisible(), stillOpen);
                 if (stillOpen)
                     clickCloseBox(window);
             }),
             result);
}

void TestDialogs::tabOrder_followsTheDialog_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("focusOrder");
    QTest::newRow("question") << u"question"_s << QStringList{u"BitBtn1"_s, u"annullerButton"_s, u"BitBtn1"_s};
    QTest::newRow("rename") << u"rename"_s << QStringList{u"newEdit"_s, u"Button2"_s, u"Button1"_s, u"newEdit"_s};
}

void TestDialogs::tabOrder_followsTheDialog()
{
    QFETCH(QString, dialog);
    QFETCH(QStringList, focusOrder);
    ModalDialog *window = dialogNamed(dialog);
    QCOMPARE(execWith(window, [&] {
                 QStringList seen{window->focusWidget()->objectName()};
                 while (seen.size() < focusOrder.size()) {
                     QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
                     seen << window->focusWidget()->objectName();
                 }
                 QCOMPARE(seen, focusOrder);
                 clickCloseBox(window);
             }),
             int(mrCancel));
}

void TestDialogs::question_remembersFocusOfLastAnswer()
{
    auto *ja = child<QPushButton>(spform, u"BitBtn1"_s);
    auto *nej = child<QPushButton>(spform, u"annullerButton"_s);
    const auto enter = [] { QTest::keyClick(spform->focusWidget(), Qt::Key_Return); };

    // Each step: how the question is answered, the answer, and where the focus starts.
    QCOMPARE(execWith(spform, [&] { QCOMPARE(spform->focusWidget(), ja); enter(); }), int(mrOk));
    QCOMPARE(execWith(spform, [&] { QTest::mouseClick(nej, Qt::LeftButton); }), int(mrCancel));
    QCOMPARE(execWith(spform, [&] { QCOMPARE(spform->focusWidget(), nej); enter(); }), int(mrCancel));
    QCOMPARE(execWith(spform, [&] { QTest::mouseClick(ja, Qt::LeftButton); }), int(mrOk));
    QCOMPARE(execWith(spform, [&] { QTest::keyClick(spform->focusWidget(), Qt::Key_Escape); }), int(mrCancel));
    // Esc did not move the focus from "Ja".
    QCOMPARE(execWith(spform, [&] { QCOMPARE(spform->focusWidget(), ja); enter(); }), int(mrOk));
}

void TestDialogs::rename_remembersFocusedControl()
{
    auto *annuller = child<QPushButton>(redigeringsform, u"Button1"_s);
    QCOMPARE(execWith(redigeringsform, [&] {
                 QCOMPARE(redigeringsform->focusWidget(), redigeringsform->newEdit());
                 QTest::mouseClick(annuller, Qt::LeftButton);
             }),
             int(mrCancel));
    QCOMPARE(execWith(redigeringsform, [&] {
                 QCOMPARE(redigeringsform->focusWidget(), annuller);
                 clickCloseBox(redigeringsform);
             }),
             int(mrCancel));
}

void TestDialogs::rename_handsBackEmptyAndUntrimmedText()
{
    QVERIFY(!redigeringsform->oldEdit()->isEnabled());
    for (const QString &typed : {QString(), u"  Kager "_s}) {
        redigeringsform->oldEdit()->setText(u"Kager"_s);
        redigeringsform->newEdit()->setText(QString());
        QCOMPARE(execWith(redigeringsform, [&] {
                     QTest::keyClicks(redigeringsform->newEdit(), typed);
                     QTest::mouseClick(child<QPushButton>(redigeringsform, u"Button2"_s), Qt::LeftButton);
                 }),
                 int(mrOk));
        QCOMPARE(redigeringsform->newEdit()->text(), typed);
        QCOMPARE(redigeringsform->oldEdit()->text(), u"Kager"_s);
    }
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
