#include "editor/colorgrid.h"
#include "editor/statusline.h"
#include "editorfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

class TestEditorStatus : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void emptyEditor_clickShowsOneLineAtStart();
    void typing_updatesPositionAtEachKeyRelease();
    void wrappedParagraph_countsDisplayedLines();
    void drag_updatesOnEachMove_plainMoveDoesNot();
    void hints_data();
    void hints();
    void highlightedMenuItem_showsItsHint();
    void clickThatChangesTheHint_showsTheNewOneWithoutMoving();
    void tooltips_onlyOnTheColourGrid();
    void editorMenu_itemsAndEnableRules();

private:
    QString panel(const EditorFixture &f, int n) const { return f.w->fontPanel->Info->panelText(n); }
};

void TestEditorStatus::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestEditorStatus::emptyEditor_clickShowsOneLineAtStart()
{
    EditorFixture f;
    QCOMPARE(panel(f, 2), QString());
    QCOMPARE(panel(f, 4), QString());
    QTest::mouseClick(f.w->Editor->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(panel(f, 2), QStringLiteral("1"));
    QCOMPARE(panel(f, 4), QStringLiteral("1,0"));
    QCOMPARE(panel(f, 6), QStringLiteral("Sort"));
    QVERIFY(!f.w->musNede);
}

void TestEditorStatus::typing_updatesPositionAtEachKeyRelease()
{
    EditorFixture f;
    f.w->Editor->setFocus();
    for (const QString &expected : {QStringLiteral("1,1"), QStringLiteral("1,2"), QStringLiteral("1,3")}) {
        QTest::keyPress(f.w->Editor, Qt::Key_A);
        QTest::keyRelease(f.w->Editor, Qt::Key_A);
        QCOMPARE(panel(f, 4), expected);
    }
    // Moving the caret by the program alone changes nothing until the next key release,
    // and a modifier key alone counts.
    f.select(0, 0);
    QCOMPARE(panel(f, 4), QStringLiteral("1,3"));
    QTest::keyRelease(f.w->Editor, Qt::Key_Shift);
    QCOMPARE(panel(f, 4), QStringLiteral("1,0"));
}

void TestEditorStatus::wrappedParagraph_countsDisplayedLines()
{
    EditorFixture f;
    f.w->Editor->setPlainText(QStringLiteral("Overskrift\n") + QStringLiteral("mel og sukker ").repeated(60));
    QTextLayout *layout = f.w->Editor->document()->lastBlock().layout();
    QTRY_VERIFY(layout->lineCount() > 2);
    const int wrapped = layout->lineCount();
    QTextCursor end = f.w->Editor->textCursor();
    end.movePosition(QTextCursor::End);
    f.w->Editor->setTextCursor(end);
    f.w->XYinfo();
    QCOMPARE(panel(f, 2), QString::number(1 + wrapped));
    const QTextLine last = layout->lineAt(wrapped - 1);
    QCOMPARE(panel(f, 4), QStringLiteral("%1,%2").arg(1 + wrapped).arg(end.positionInBlock() - last.textStart()));
}

void TestEditorStatus::drag_updatesOnEachMove_plainMoveDoesNot()
{
    EditorFixture f;
    f.type(QStringLiteral("Sukker og kanel"));
    QWidget *viewport = f.w->Editor->viewport();
    const QRect first = f.w->Editor->cursorRect(QTextCursor(f.w->Editor->document()));
    const QPoint start = first.center() + QPoint(1, 0);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QVERIFY(f.w->musNede);
    const QString atPress = panel(f, 4);
    QStringList seen;
    for (int x : {40, 70, 100}) {
        QTest::mouseMove(viewport, QPoint(start.x() + x, start.y()));
        seen << panel(f, 4);
    }
    QCOMPARE(seen.size(), 3);
    QVERIFY2(seen[0] != atPress && seen[1] != seen[0] && seen[2] != seen[1], qPrintable(seen.join(u' ')));
    QVERIFY(f.w->Editor->textCursor().hasSelection());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(start.x() + 100, start.y()));
    QVERIFY(!f.w->musNede);

    // Without a button pressed a move updates nothing.
    f.select(0, 0);
    f.w->fontPanel->Info->setPanelText(4, QStringLiteral("x"));
    QTest::mouseMove(viewport, QPoint(start.x() + 20, start.y()));
    QCOMPARE(panel(f, 4), QStringLiteral("x"));
}

void TestEditorStatus::hints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("editor") << QStringLiteral("Editor") << QStringLiteral("Standard tekst");
    QTest::newRow("size button 12") << QStringLiteral("sizeButton4") << QStringLiteral("Sæt fontstørrelse 12");
    QTest::newRow("colour grid") << QStringLiteral("colorGrid") << QStringLiteral("Standard tekst");
    QTest::newRow("bold on the tool bar") << QStringLiteral("FormatRichEditBold1") << QStringLiteral("Fed skrift: Ctrl+B");
    QTest::newRow("options button") << QStringLiteral("optButton")
                                    << QStringLiteral("Bestem programegenskaber eller udskriv opskrift");
}

void TestEditorStatus::hints()
{
    QFETCH(QString, control);
    QFETCH(QString, hint);
    EditorFixture f;
    QWidget *widget = f.w->findChild<QWidget *>(control);
    if (!widget) {
        auto *action = f.w->findChild<QAction *>(control);
        QVERIFY(action);
        widget = f.w->toolPanel->widgetForAction(action);
    }
    QVERIFY(widget);
    // Start from a control with another hint, so the hint bar has to change.
    QLabel *bar = f.w->hintLabel;
    QWidget *before = hint == QStringLiteral("Standard tekst") ? static_cast<QWidget *>(f.w->optButton)
                                                               : f.w->opskriftLabel;
    QTest::mouseMove(before);
    QTRY_VERIFY(!bar->text().isEmpty() && bar->text() != hint);
    QTest::mouseMove(widget, widget->rect().center());
    QTRY_COMPARE(bar->text(), hint);
}

void TestEditorStatus::clickThatChangesTheHint_showsTheNewOneWithoutMoving()
{
    EditorFixture f;
    QWidget *spell = f.w->toolPanel->widgetForAction(f.w->editorActions->EditStavekontrol);
    QVERIFY(spell);
    QTest::mouseMove(spell, spell->rect().center());
    QTRY_COMPARE(f.w->hintLabel->text(), QStringLiteral("Skift popup-menu til \"Stavekontrol\""));
    QTest::mouseClick(spell, Qt::LeftButton, {}, spell->rect().center());
    QCOMPARE(f.w->editorActions->EditStavekontrol->text(), QStringLiteral("Funktioner"));
    QTRY_COMPARE(f.w->hintLabel->text(), QStringLiteral("Skift popup-menu til \"Funktioner\""));
    QTest::mouseClick(spell, Qt::LeftButton, {}, spell->rect().center());
    QTRY_COMPARE(f.w->hintLabel->text(), QStringLiteral("Skift popup-menu til \"Stavekontrol\""));
}

void TestEditorStatus::highlightedMenuItem_showsItsHint()
{
    EditorFixture f;
    QMenu *menu = f.w->fontPanel->FontPU;
    menu->popup(f.w->fontPanel->fontButton->mapToGlobal(QPoint(0, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(f.w->fontPanel->mfontHent);
    QTRY_COMPARE(f.w->hintLabel->text(), QStringLiteral("Anvend standardfonten"));
    menu->setActiveAction(f.w->fontPanel->mFont[0]); // no hint of its own
    QTRY_COMPARE(f.w->hintLabel->text(), QString());
    menu->close();
}

void TestEditorStatus::tooltips_onlyOnTheColourGrid()
{
    EditorFixture f;
    QWidget *grid = f.w->fontPanel->colorGrid;
    QCOMPARE(grid->toolTip(), QStringLiteral("Standard tekst"));
    const auto tooltipShown = [](QWidget *w) {
        QHelpEvent help(QEvent::ToolTip, w->rect().center(), w->mapToGlobal(w->rect().center()));
        QApplication::sendEvent(w, &help);
        return QToolTip::isVisible();
    };
    QVERIFY(tooltipShown(grid));
    QCOMPARE(QToolTip::text(), QStringLiteral("Standard tekst"));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    QWidget *bold = f.w->toolPanel->widgetForAction(f.w->editorActions->FormatRichEditBold1);
    QVERIFY(!bold->toolTip().isEmpty());
    QVERIFY(!tooltipShown(bold));
}

void TestEditorStatus::editorMenu_itemsAndEnableRules()
{
    EditorFixture f;
    EditorActions *e = f.w->editorActions;
    QStringList items;
    for (QAction *a : e->EditorPU->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text() + u'|' + a->statusTip() + u'|' + a->shortcut().toString());
    QCOMPARE(items, (QStringList{
        QStringLiteral("Annuller|Annuller sidste aktion|Ctrl+Z"), QStringLiteral("-"),
        QStringLiteral("Klip|Klip til klipbord|Ctrl+X"), QStringLiteral("Kopier|Kopier til klipbord|Ctrl+C"),
        QStringLiteral("Sæt ind|Sæt ind fra klipbord|Ctrl+V"), QStringLiteral("-"),
        QStringLiteral("Marker alt|Vælg alt|Ctrl+A"), QStringLiteral("Slet|Slet valgte|Del")}));
    QCOMPARE(f.w->descriptionEdit()->popupMenu(), e->EditorPU);

    QApplication::clipboard()->clear();
    f.w->Editor->setFocus();
    f.w->updateActions();
    for (QAction *a : {e->EditUndo1, e->EditCut1, e->EditCopy1, e->EditPaste1, e->EditSelectAll1, e->EditDelete1})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));

    f.type(QStringLiteral("Smør"));
    f.select(0, 2);
    f.w->updateActions();
    for (QAction *a : {e->EditUndo1, e->EditCut1, e->EditCopy1, e->EditSelectAll1, e->EditDelete1})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!e->EditPaste1->isEnabled());

    e->EditCut1->trigger();
    QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("ør"));
    f.w->updateActions();
    QVERIFY(e->EditPaste1->isEnabled());
    QVERIFY(!e->EditCopy1->isEnabled());
    e->EditPaste1->trigger();
    QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("Smør"));

    // Read-only: only copying and selecting remain.
    f.w->Editor->setReadOnly(true);
    f.select(0, 2);
    f.w->updateActions();
    QVERIFY(e->EditCopy1->isEnabled() && e->EditSelectAll1->isEnabled());
    for (QAction *a : {e->EditUndo1, e->EditCut1, e->EditPaste1, e->EditDelete1})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    f.w->Editor->setReadOnly(false);

    // The commands act on the field with the focus.
    f.w->ingrediensEdit->setText(QStringLiteral("2 dl fløde"));
    f.w->ingrediensEdit->setFocus();
    e->EditSelectAll1->trigger();
    e->EditDelete1->trigger();
    QCOMPARE(f.w->ingrediensEdit->text(), QString());
    QCOMPARE(f.w->Editor->toPlainText(), QStringLiteral("Smør"));
}

QTEST_MAIN(TestEditorStatus)
#include "tst_editorstatus.moc"
