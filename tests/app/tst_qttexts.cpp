#include "app/retterumapplication.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <memory>

namespace {

// An item's text as the user reads it: without the mnemonic's "&" and the shortcut after the tab.
QString shown(QString text)
{
    text = text.section(u'\t', 0, 0);
    return text.remove(u'&');
}

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions) {
        if (!action->isSeparator())
            texts << shown(action->text());
    }
    return texts;
}

template<typename W>
QStringList childTexts(const QWidget *parent)
{
    QStringList texts;
    const QList<W *> children = parent->findChildren<W *>();
    for (const W *child : children)
        texts << shown(child->text());
    return texts;
}

} // namespace

// The program's application class gives Qt's own texts in Danish.
class TestQtTexts : public QObject {
    Q_OBJECT

private slots:
    void textFieldMenus_areDanish_data();
    void textFieldMenus_areDanish();
    void standardButtons_areDanish();
    void fileDialog_isDanish();
    void printDialog_isDanish();
};

void TestQtTexts::textFieldMenus_areDanish_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("text field") << false
                                << QStringList{QStringLiteral("Fortryd"), QStringLiteral("Omgør"),
                                               QStringLiteral("Klip"), QStringLiteral("Kopiér"),
                                               QStringLiteral("Sæt ind"), QStringLiteral("Slet"),
                                               QStringLiteral("Markér alt")};
    // The help pages' view.
    QTest::newRow("read-only view") << true
                                    << QStringList{QStringLiteral("Kopiér"),
                                                   QStringLiteral("Kopiér linkplacering"),
                                                   QStringLiteral("Markér alt")};
}

void TestQtTexts::textFieldMenus_areDanish()
{
    QFETCH(bool, readOnly);
    QFETCH(QStringList, expected);
    QLineEdit field;
    QTextBrowser view;
    std::unique_ptr<QMenu> menu; // a child of its field: gone before it
    if (readOnly) {
        view.setHtml(QStringLiteral("<a href=\"side.html\">Side</a>"));
        menu.reset(view.createStandardContextMenu(view.cursorRect().center()));
    } else {
        menu.reset(field.createStandardContextMenu());
    }
    QCOMPARE(menuTexts(menu.get()), expected);
}

void TestQtTexts::standardButtons_areDanish()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes
                         | QDialogButtonBox::No | QDialogButtonBox::Save | QDialogButtonBox::Close);
    const std::pair<QDialogButtonBox::StandardButton, QString> expected[] = {
        {QDialogButtonBox::Ok, QStringLiteral("OK")},       {QDialogButtonBox::Cancel, QStringLiteral("Annuller")},
        {QDialogButtonBox::Yes, QStringLiteral("Ja")},      {QDialogButtonBox::No, QStringLiteral("Nej")},
        {QDialogButtonBox::Save, QStringLiteral("Gem")},    {QDialogButtonBox::Close, QStringLiteral("Luk")},
    };
    for (const auto &[which, text] : expected)
        QCOMPARE(shown(box.button(which)->text()), text);
}

void TestQtTexts::fileDialog_isDanish()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList labels = childTexts<QLabel>(&dialog);
    QVERIFY2(labels.contains(QStringLiteral("Kig i:")), qPrintable(labels.join(u'|')));
    QVERIFY2(labels.contains(QStringLiteral("Filnavn:")), qPrintable(labels.join(u'|')));
    const QStringList buttons = childTexts<QPushButton>(&dialog);
    QVERIFY2(buttons.contains(QStringLiteral("Åbn")) && buttons.contains(QStringLiteral("Annuller")),
             qPrintable(buttons.join(u'|')));
}

void TestQtTexts::printDialog_isDanish()
{
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Udskriv"));
    const QStringList buttons = childTexts<QPushButton>(&dialog);
    QVERIFY2(buttons.contains(QStringLiteral("Udskriv")) && buttons.contains(QStringLiteral("Egenskaber")),
             qPrintable(buttons.join(u'|')));
    const QStringList labels = childTexts<QLabel>(&dialog);
    QVERIFY2(labels.contains(QStringLiteral("Kopier:")), qPrintable(labels.join(u'|')));
}

int main(int argc, char **argv)
{
    RetterumApplication app(argc, argv);
    TestQtTexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qttexts.moc"
