#include "dialogs/messagehook.h"
#include "dialogs/tinfform.h"
#include "dialogs/tredigeringsform.h"
#include "dialogs/tspform.h"
#include "information/tinfoform.h"
#include "mainwindow/listbox.h"
#include "mainwindowfixture.h"
#include "options/looks.h"
#include "options/styleregistry.h"
#include "options/toptform.h"
#include "optionsfixture.h"
#include "printing/tprintform.h"

#include <QStatusBar>
#include <QStyle>
#include <QTextEdit>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Contrast ratio as the web's accessibility guidelines define it.
double luminance(const QColor &color)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF())
        + 0.0722 * channel(color.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const design::Look *ownLook(const QString &name)
{
    for (const design::Look &look : design::ownLooks())
        if (look.name == name)
            return &look;
    return nullptr;
}

QList<QWidget *> everyWindow()
{
    return {mainform, infform, spform, redigeringsform, optform, printform, infoform};
}

} // namespace

class TestLooks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void eachLook_reachesEveryWindowAndDialog_data();
    void eachLook_reachesEveryWindowAndDialog();
    void eachLook_keepsTextReadable_data();
    void eachLook_keepsTextReadable();
    void unknownName_isRefused_andTheLookStays();
    void unknownSavedName_isToldAtStart_andKeptInTheSettings();

private:
    void addLookRows();

    std::unique_ptr<ThrowAwayHome> m_home;
    QColor m_systemWindow;
    QString m_systemStyle;
};

void TestLooks::initTestCase()
{
    m_home = std::make_unique<ThrowAwayHome>();
    m_systemWindow = QApplication::palette().color(QPalette::Window);
    m_systemStyle = QApplication::style()->name();
    // The measure the readability test uses, against the guidelines' own figures.
    QCOMPARE(qRound(contrast(Qt::white, Qt::black) * 100), 2100);
    QCOMPARE(qRound(contrast(QColor(0x77, 0x77, 0x77), Qt::white) * 100), 448);
}

void TestLooks::cleanup()
{
    design::trySetStyle(design::kSystemLook);
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestLooks::addLookRows()
{
    QTest::addColumn<QString>("name");
    for (const QString &name : design::styleNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestLooks::eachLook_reachesEveryWindowAndDialog_data()
{
    addLookRows();
}

void TestLooks::eachLook_reachesEveryWindowAndDialog()
{
    QFETCH(QString, name);
    TestDataRoot root;
    MainWindowFixture fixture(root);
    QVERIFY(fixture.showAndActivate());
    mainform->optButtonClick();
    // From another look, so that "Windows" has to bring the start-up look back.
    QVERIFY(design::trySetStyle(name == u"Sky"_s ? u"Windows10"_s : u"Sky"_s));

    QVERIFY(design::trySetStyle(name.toUpper()));
    QCOMPARE(design::currentStyle(), name);
    const design::Look *look = ownLook(name);
    const QColor window = look ? look->window : m_systemWindow;
    for (QWidget *widget : everyWindow())
        QVERIFY2(widget->palette().color(QPalette::Window) == window, qPrintable(widget->objectName()));
    for (QWidget *field : {static_cast<QWidget *>(mainform->hovedKatBox), static_cast<QWidget *>(mainform->Editor)}) {
        QCOMPARE(field->palette().color(QPalette::Highlight), QApplication::palette().color(QPalette::Highlight));
        QCOMPARE(field->palette().color(QPalette::Base), look ? look->base : QApplication::palette().color(QPalette::Base));
    }
    QCOMPARE(qApp->styleSheet().isEmpty(), !look);
    if (!look) {
        QCOMPARE(QApplication::style()->name(), m_systemStyle);
        return;
    }
    // The style sheet's own colours reach the drawn widgets.
    QStatusBar *hints = mainform->hintBar;
    const QImage drawn = hints->grab().toImage();
    QCOMPARE(drawn.pixelColor(drawn.width() / 2, drawn.height() - 3).name(), look->hintBar.name());
}

void TestLooks::eachLook_keepsTextReadable_data()
{
    addLookRows();
}

void TestLooks::eachLook_keepsTextReadable()
{
    QFETCH(QString, name);
    QVERIFY(design::trySetStyle(name));
    const QPalette p = QApplication::palette();
    struct Pair {
        const char *what;
        QColor text;
        QColor background;
    };
    QList<Pair> pairs;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pairs << Pair{"window", p.color(group, QPalette::WindowText), p.color(group, QPalette::Window)}
              << Pair{"field", p.color(group, QPalette::Text), p.color(group, QPalette::Base)}
              << Pair{"alternate row", p.color(group, QPalette::Text), p.color(group, QPalette::AlternateBase)}
              << Pair{"button", p.color(group, QPalette::ButtonText), p.color(group, QPalette::Button)}
              << Pair{"selection", p.color(group, QPalette::HighlightedText), p.color(group, QPalette::Highlight)}
              << Pair{"tooltip", p.color(group, QPalette::ToolTipText), p.color(group, QPalette::ToolTipBase)};
    }
    if (const design::Look *look = ownLook(name)) {
        pairs << Pair{"tool bar top", look->barText, look->barTop}
              << Pair{"tool bar bottom", look->barText, look->barBottom}
              << Pair{"hint bar", look->hintText, look->hintBar}
              << Pair{"button top", look->buttonText, look->buttonTop}
              << Pair{"button hover", look->buttonText, look->hover}
              << Pair{"button pressed", look->buttonText, look->pressed}
              << Pair{"style sheet tooltip", look->toolTipText, look->toolTip};
    }
    for (const Pair &pair : pairs) {
        const double ratio = contrast(pair.text, pair.background);
        QVERIFY2(ratio >= 4.5, qPrintable(u"%1: %2 on %3 is %4:1"_s.arg(QLatin1StringView(pair.what),
                                                                         pair.text.name(), pair.background.name())
                                              .arg(ratio, 0, 'f', 2)));
    }
}

void TestLooks::unknownName_isRefused_andTheLookStays()
{
    QVERIFY(design::trySetStyle(u"Lavender Classico"_s));
    const QPalette before = QApplication::palette();
    const QString sheet = qApp->styleSheet();
    QVERIFY(!design::trySetStyle(u"Marsmand"_s));
    QVERIFY(!design::trySetStyle(QString()));
    QCOMPARE(design::currentStyle(), u"Lavender Classico"_s);
    QCOMPARE(QApplication::palette(), before);
    QCOMPARE(qApp->styleSheet(), sheet);
}

void TestLooks::unknownSavedName_isToldAtStart_andKeptInTheSettings()
{
    QVERIFY(design::trySetStyle(u"Sky"_s));
    TestDataRoot root;
    writeMainSettings(root, u"Marsmand"_s);
    MainWindowFixture fixture(root);
    QCOMPARE(design::currentStyle(), u"Sky"_s);
    MessageHook::queue(MessageHook::Answer::Ok);
    QVERIFY(fixture.showAndActivate());
    QCOMPARE(MessageHook::takeShown(),
             QStringList{u"Information: Designet \"Marsmand\" findes ikke.\rProgrammet beholder sit "
                         "nuværende design."_s});
    QCOMPARE(design::currentStyle(), u"Sky"_s);
    QVERIFY(mainform->close());
    QCOMPARE(root.readList(mainform->optfil.mid(root.path().size() + 1)).value(13), u"Marsmand"_s);
}

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
