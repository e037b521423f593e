// What a screen reader finds: every control of every window named and described in Danish,
// the lists' entries and the chosen one, the colour grid's cells; and every control reached
// with the keyboard.
#include "../editor/editorfixture.h"
#include "dialogs/tinfform.h"
#include "dialogs/tredigeringsform.h"
#include "dialogs/tspform.h"
#include "editor/colorgrid.h"
#include "editor/colortable.h"
#include "editor/statusline.h"
#include "hentdialog/thentform.h"
#include "information/tinfoform.h"
#include "mainwindow/tfindform.h"
#include "options/toptform.h"
#include "printing/tprintform.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::ButtonDropGrid:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

// Qt's own parts (viewports, a combo box's line edit) are read through their control.
bool isPartOfAControl(const QWidget *widget)
{
    if (widget->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const QComboBox *>(w))
            return true;
    return false;
}

QString describe(const QWidget *widget)
{
    return widget->window()->objectName() + u'/'
        + (widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName());
}

// Every control of the window and its children without a name, or with a hint but no
// description.
QStringList unnamedControls(QWidget *window)
{
    QStringList faults;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        if (widget->window() != window || isPartOfAControl(widget))
            continue; // the windows made by this one are looked at on their own
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        if (!iface)
            continue;
        const bool control = isControl(iface->role()) || qobject_cast<ColorGrid *>(widget);
        if (!control)
            continue;
        if (iface->text(QAccessible::Name).trimmed().isEmpty())
            faults << describe(widget) + QStringLiteral(": no name");
        if (!widget->statusTip().isEmpty() && iface->text(QAccessible::Description).isEmpty())
            faults << describe(widget) + QStringLiteral(": no description");
    }
    return faults;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void everyControlOfEveryWindow_hasANameAndDescription();
    void iconButton_isNamedByItsHint_andFollowsAChangedHint();
    void lists_exposeTheirEntriesAndTheChosenOne();
    void colourGrid_exposesItsCells_andIsUsedWithTheKeyboard();
};

void TestAccessibility::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestAccessibility::everyControlOfEveryWindow_hasANameAndDescription()
{
    EditorFixture f;
    f.w->AfindExecute();
    QVERIFY(f.w->findform);
    QStringList faults;
    for (QWidget *window : QList<QWidget *>{f.w, f.w->findform, optform, printform, infoform}) {
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        faults << unnamedControls(window);
    }
    {
        Thentform hent(f.w); // both its pages: the hidden one is read as well
        hent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hent));
        faults << unnamedControls(&hent);
        hent.close();
    }
    // The small dialogs are shown only with a message: looked at as they are before that.
    for (QWidget *window : QList<QWidget *>{infform, spform, redigeringsform}) {
        QVERIFY(window);
        window->ensurePolished();
        faults << unnamedControls(window);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

    // Names a user hears, in Danish, from the captions and hints.
    const auto name = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    QCOMPARE(name(f.w->hovedKatBox), QStringLiteral("Hovedkategori"));
    QCOMPARE(name(f.w->hovedKatEdit), QStringLiteral("Ny tekst til hovedkategori"));
    QCOMPARE(name(f.w->fontPanel->osButton), QStringLiteral("Standard overskrift"));
    // A combo box reads its value as its name here; its caption is its label.
    const auto labels = QAccessible::queryAccessibleInterface(optform->designBox)->relations(QAccessible::Label);
    QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [](const auto &relation) {
        return relation.first->text(QAccessible::Name) == QStringLiteral("Design");
    }));
    QWidget *bold = f.w->toolPanel->widgetForAction(f.w->editorActions->FormatRichEditBold1);
    QCOMPARE(QAccessible::queryAccessibleInterface(bold)->text(QAccessible::Description),
             QStringLiteral("Fed skrift: Ctrl+B"));
}

void TestAccessibility::iconButton_isNamedByItsHint_andFollowsAChangedHint()
{
    EditorFixture f;
    QWidget *spell = f.w->toolPanel->widgetForAction(f.w->editorActions->EditStavekontrol);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(spell);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Stavekontrol"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Skift popup-menu til \"Stavekontrol\""));
    f.w->editorActions->EditStavekontrol->trigger();
    QTRY_COMPARE(iface->text(QAccessible::Description), QStringLiteral("Skift popup-menu til \"Funktioner\""));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Funktioner"));

    // A hand-set description is kept.
    f.w->optButton->setAccessibleDescription(QStringLiteral("Egen"));
    f.w->optButton->setStatusTip(QStringLiteral("Ny"));
    f.w->optButton->setToolTip(QStringLiteral("Ny"));
    QCOMPARE(QAccessible::queryAccessibleInterface(f.w->optButton)->text(QAccessible::Description),
             QStringLiteral("Egen"));
}

void TestAccessibility::lists_exposeTheirEntriesAndTheChosenOne()
{
    EditorFixture f;
    f.w->opstartGroup->button(0)->click();
    chooseEntry(f.w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(f.w->underKatBox, QStringLiteral("Gærbag"));
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(f.w->underKatBox);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->childCount(), 1);
    QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("Gærbag"));
    QVERIFY(list->child(0)->state().selected);
    QAccessibleTableInterface *table = list->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->selectedCellCount(), 1);
    QCOMPARE(table->selectedCells().first()->text(QAccessible::Name), QStringLiteral("Gærbag"));

    // Nothing chosen: nothing selected.
    f.w->opstartGroup->button(1)->click();
    f.w->opstartGroup->button(0)->click();
    QCOMPARE(QAccessible::queryAccessibleInterface(f.w->hovedKatBox)->tableInterface()->selectedCellCount(), 0);
}

void TestAccessibility::colourGrid_exposesItsCells_andIsUsedWithTheKeyboard()
{
    EditorFixture f;
    ColorGrid *grid = f.w->fontPanel->colorGrid;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Farve"));
    QCOMPARE(iface->childCount(), 16);
    for (int i = 0; i < 16; ++i) {
        QAccessibleInterface *cell = iface->child(i);
        QCOMPARE(cell->text(QAccessible::Name), colorTable()[std::size_t(i)].name);
        QCOMPARE(cell->state().checked, i == grid->foregroundIndex());
        QCOMPARE(iface->indexOfChild(cell), i);
        QCOMPARE(cell->parent(), iface);
    }

    // Pressing a cell chooses it as a click: the text typed next is red.
    f.type(QStringLiteral("a"));
    iface->child(9)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(grid->foregroundIndex(), 9);
    QVERIFY(iface->child(9)->state().checked);
    QCOMPARE(f.w->fontPanel->Info->panelText(6), QStringLiteral("Rød"));
    QTest::keyClicks(f.w->Editor, QStringLiteral("b"));
    QCOMPARE(f.formatAt(1).foreground().color(), QColor(Qt::red));

    // With the keyboard: Tab reaches it, the arrows move, Enter applies.
    grid->setFocus(Qt::TabFocusReason);
    QTest::keyClick(grid, Qt::Key_Down);  // 13
    QTest::keyClick(grid, Qt::Key_Right); // 14
    QCOMPARE(grid->foregroundIndex(), 14);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(f.w->fontPanel->Info->panelText(6), QStringLiteral("Aqua eller vandfarve"));
    QVERIFY(f.w->Editor->hasFocus());
    QTest::keyClicks(f.w->Editor, QStringLiteral("c"));
    QCOMPARE(f.formatAt(2).foreground().color(), QColor(Qt::cyan));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
