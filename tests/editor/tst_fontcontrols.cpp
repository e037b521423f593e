#include "editor/colorgrid.h"
#include "editor/colortable.h"
#include "editor/fontbox.h"
#include "editor/fontlist.h"
#include "editor/standinfaces.h"
#include "editor/statusline.h"
#include "editorfixture.h"
#include "options/styleregistry.h"
#include "rtf/rtffile.h"
#include "rtf/rtfreader.h"

#include <QAction>
#include <QFontInfo>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QToolButton>

#include <fontconfig/fontconfig.h>

using Answer = MessageHook::Answer;

namespace {

QString family(const QTextCharFormat &format)
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    return families.value(0);
}

QStringList boxEntries(const FontBox *box)
{
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    return names;
}

// Whether the name box would hold the face: installed, or mapped onto a stand-in.
bool hasEntry(const QString &name)
{
    FontList list;
    list.readInstalled();
    return !list.entry(name).isEmpty();
}

// The face fontconfig gives for a name, as the toolkit asks it.
QString matchedFace(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(utf8.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcChar8 *family = nullptr;
    QString face;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
        face = QString::fromUtf8(reinterpret_cast<const char *>(family));
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return face;
}

} // namespace

class TestFontControls : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void fontList_isSortedWithoutFoundriesOrDuplicates();
    void fontList_takesTheFacesFontconfigMaps_data();
    void fontList_takesTheFacesFontconfigMaps();
    void standIns_giveTheMenuFacesEightLooks();
    void standIns_comeBackAfterAFontconfigReload();
    void openedNameBox_offersTheWindowsFacesWithStandIns();
    void withoutFoundry_data();
    void withoutFoundry();
    void definerName_data();
    void definerName();
    void savedSettings_becomeListValuesAndAreWrittenBack_data();
    void savedSettings_becomeListValuesAndAreWrittenBack();
    void typingInSizeBox_choosesAndApplies_data();
    void typingInSizeBox_choosesAndApplies();
    void sizeBoxCharacterWithoutEntry_reportsConversionErrorAndChangesNothing();
    void typingInNameBox_choosesFirstFontWithThatLetter();
    void sizeButton_setsInsertionPointOnly();
    void standardButtons_data();
    void standardButtons();
    void saveThenFetchStandardFont_restoresTheName();
    void fontMenuItems_applyTheirFixedNames();
    void colorGrid_clickDragAndRightButton();
    void caret_movesBoxesAndGridWithoutApplying();
    void plainText_showsTheLooksTextColour_data();
    void plainText_showsTheLooksTextColour();
    void bulletButton_reflectsBulletsOnly_andActsOnTheWholeSelection();
    void formatCommands_actOnlyWithFocus_andSurviveSaveAndReload();
};

void TestFontControls::cleanup()
{
    const QString leftovers = MessageHook::verifyClean();
    QVERIFY2(leftovers.isEmpty(), qPrintable(leftovers));
}

void TestFontControls::withoutFoundry_data()
{
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("DejaVu Sans") << QStringLiteral("DejaVu Sans");
    QTest::newRow("foundry") << QStringLiteral("DejaVu Sans [PfEd]") << QStringLiteral("DejaVu Sans");
    QTest::newRow("no space") << QStringLiteral("Mono[urw]") << QStringLiteral("Mono");
    QTest::newRow("several spaces") << QStringLiteral("Mono \t [urw]") << QStringLiteral("Mono");
    QTest::newRow("only the last brackets") << QStringLiteral("A [b] [c]") << QStringLiteral("A [b]");
    QTest::newRow("bracket inside") << QStringLiteral("A [b]c]") << QStringLiteral("A [b]c]");
    QTest::newRow("not at the end") << QStringLiteral("A [b] c") << QStringLiteral("A [b] c");
    QTest::newRow("no opening") << QStringLiteral("A b]") << QStringLiteral("A b]");
    QTest::newRow("nothing but a foundry") << QStringLiteral("[x]") << QString();
}

void TestFontControls::withoutFoundry()
{
    QFETCH(QString, listed);
    QFETCH(QString, name);
    QCOMPARE(::withoutFoundry(listed), name);
}

void TestFontControls::fontList_isSortedWithoutFoundriesOrDuplicates()
{
    EditorFixture f;
    FontBox *box = f.w->fontPanel->nameBox;
    box->showPopup(); // adds the Windows faces that have stand-ins
    box->hidePopup();
    const QStringList names = boxEntries(box);
    QVERIFY(names.size() > 3);
    QVERIFY(names.contains(QStringLiteral("DejaVu Sans")));
    QVERIFY(names.contains(QStringLiteral("Arial")));
    for (int i = 1; i < names.size(); ++i) {
        QVERIFY2(QString::compare(names[i - 1], names[i], Qt::CaseInsensitive) <= 0, qPrintable(names[i]));
        QVERIFY2(names[i - 1] != names[i], qPrintable(names[i]));
    }
    for (const QString &name : std::as_const(names))
        QVERIFY2(!name.startsWith(u'@') && !name.contains(u'['), qPrintable(name));
}

// The stand-in packages are installed by scripts/test and by the Debian package.
void TestFontControls::fontList_takesTheFacesFontconfigMaps_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("entry"); // empty: none
    const char *const windowsFaces[] = {"Arial", "Times New Roman", "Courier New", "Calibri",
                                         "Cambria", "Verdana", "Tahoma", "Georgia", "Comic Sans MS",
                                         "Lucida Console", "Lucida Calligraphy", "Segoe Print"};
    for (const char *face : windowsFaces)
        QTest::newRow(face) << QString::fromLatin1(face) << QString::fromLatin1(face);
    QTest::newRow("spelt as Windows spells it") << QStringLiteral("cOMIC sans ms") << QStringLiteral("Comic Sans MS");
    QTest::newRow("fontconfig's own alias") << QStringLiteral("Helvetica") << QStringLiteral("Helvetica");
    QTest::newRow("installed itself") << QStringLiteral("dejavu serif") << QStringLiteral("DejaVu Serif");
    // Everything falls back to some face; that is no stand-in.
    QTest::newRow("unknown") << QStringLiteral("Ingen Sådan Skrift") << QString();
    QTest::newRow("generic") << QStringLiteral("sans-serif") << QString();
    QTest::newRow("vertical variant") << QStringLiteral("@Arial") << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestFontControls::fontList_takesTheFacesFontconfigMaps()
{
    QFETCH(QString, family);
    QFETCH(QString, entry);
    FontList list;
    list.readInstalled();
    const QStringList before = list.names();
    int added = -2;

    QCOMPARE(list.entry(family, &added), entry);

    const bool isNew = !entry.isEmpty() && !before.contains(entry);
    QCOMPARE(list.names().size(), before.size() + (isNew ? 1 : 0));
    QCOMPARE(added, isNew ? int(list.names().indexOf(entry)) : -1);
    QCOMPARE(list.entry(family), entry); // asked again: the same, nothing more added
    QCOMPARE(list.names().size(), before.size() + (isNew ? 1 : 0));
}

void TestFontControls::standIns_giveTheMenuFacesEightLooks()
{
    EditorFixture f;
    QSet<QString> drawnIn;
    for (int i = 0; i < 8; ++i) {
        f.w->fontPanel->mFont[i]->trigger();
        const QString name = FontPanel::menuFontName(i + 1);
        QCOMPARE(f.w->Mainfont, name);
        QCOMPARE(f.w->fontPanel->nameBox->currentText(), name);
        f.type(QStringLiteral("x"));
        const QTextCharFormat typed = f.formatAt(i);
        QCOMPARE(family(typed), name);
        drawnIn.insert(QFontInfo(typed.font()).family());
    }
    QCOMPARE(drawnIn.size(), 8);
}

// A desktop asks every program to reload fontconfig's configuration when fonts are installed;
// the rules made in memory go with the old configuration.
void TestFontControls::standIns_comeBackAfterAFontconfigReload()
{
    EditorFixture f;
    f.root().writeBytes(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf"),
                        "{\\rtf1\\ansi{\\fonttbl{\\f0 Segoe Print;}}\\f0 Hvedemel\\par}");
    QCOMPARE(matchedFace(QStringLiteral("Segoe Print")), QStringLiteral("Comic Neue"));
    FcInitReinitialize();
    QCOMPARE_NE(matchedFace(QStringLiteral("Segoe Print")), QStringLiteral("Comic Neue"));

    // Opening a recipe brings them back before its faces are looked up.
    chooseEntry(f.w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(f.w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(f.w->opskriftBox, QStringLiteral("Boller"));
    QVERIFY(f.w->Editor->toPlainText().startsWith(QStringLiteral("Hvedemel")));
    QCOMPARE(matchedFace(QStringLiteral("Segoe Print")), QStringLiteral("Comic Neue"));

    // And the name box, asking for a face's stand-ins, finds them too.
    FcInitReinitialize();
    QVERIFY(standinfaces::standIns(QStringLiteral("Tahoma")).contains(QStringLiteral("Open Sans")));
    QCOMPARE(matchedFace(QStringLiteral("Tahoma")), QStringLiteral("Open Sans"));
}

// Typing one letter is a whole choice, and the faces with stand-ins are among the candidates.
void TestFontControls::openedNameBox_offersTheWindowsFacesWithStandIns()
{
    EditorFixture f;
    FontBox *box = f.w->fontPanel->nameBox;
    QVERIFY(!boxEntries(box).contains(QStringLiteral("Verdana")));
    QStringList candidates = installedFontNames() + standinfaces::windowsFaces();
    candidates.sort(Qt::CaseInsensitive);
    const auto firstWithV = std::find_if(candidates.cbegin(), candidates.cend(),
                                         [](const QString &name) { return name.startsWith(u'V', Qt::CaseInsensitive); });
    QCOMPARE(*firstWithV, QStringLiteral("Verdana"));
    box->setFocus();
    box->lineEdit()->selectAll();

    QTest::keyClick(box->lineEdit(), 'v');

    QCOMPARE(f.w->Mainfont, QStringLiteral("Verdana"));
    QCOMPARE(box->currentText(), QStringLiteral("Verdana"));
    const QStringList names = boxEntries(box);
    for (const QString &face : standinfaces::windowsFaces())
        QVERIFY2(names.contains(face), qPrintable(face));
    QVERIFY(std::is_sorted(names.cbegin(), names.cend(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    }));
}

void TestFontControls::definerName_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("chosen"); // empty: the first font of the list

    QTest::newRow("Arial in lower case") << QStringLiteral("arial") << QStringLiteral("Arial");
    QTest::newRow("installed name in lower case") << QStringLiteral("dejavu serif") << QStringLiteral("DejaVu Serif");
    QTest::newRow("not installed") << QStringLiteral("Ingen Sådan Skrift") << QString();
    QTest::newRow("empty name") << QString() << QString();
}

void TestFontControls::definerName()
{
    QFETCH(QString, asked);
    QFETCH(QString, chosen);
    EditorFixture f;
    FontBox *box = f.w->fontPanel->nameBox;
    const QString expected = chosen.isEmpty() ? box->itemText(0) : chosen;
    f.w->fontPanel->sizeBox->setFocus();

    f.w->definerName(asked);

    QCOMPARE(box->currentText(), expected);
    QCOMPARE(f.w->Mainfont, expected);
    QVERIFY(f.w->Editor->hasFocus());
    f.type(QStringLiteral("x"));
    QCOMPARE(family(f.formatAt(0)), expected);
}

void TestFontControls::savedSettings_becomeListValuesAndAreWrittenBack_data()
{
    QTest::addColumn<QString>("savedFont");
    QTest::addColumn<int>("savedSize");
    QTest::addColumn<int>("size");

    QTest::newRow("13 becomes 8") << QStringLiteral("DejaVu Sans") << 13 << 8;
    QTest::newRow("list size kept") << QStringLiteral("DejaVu Sans") << 12 << 12;
    QTest::newRow("missing font becomes the first") << QStringLiteral("Courier Gone") << 10 << 10;
}

void TestFontControls::savedSettings_becomeListValuesAndAreWrittenBack()
{
    QFETCH(QString, savedFont);
    QFETCH(int, savedSize);
    QFETCH(int, size);
    EditorFixture f(savedFont, savedSize);
    FontBox *names = f.w->fontPanel->nameBox;
    const QString font = names->findText(savedFont) >= 0 ? savedFont : names->itemText(0);

    QCOMPARE(f.w->MainSize, size);
    QCOMPARE(f.w->fontPanel->sizeBox->currentText(), QString::number(size));
    QCOMPARE(f.w->Mainfont, font);
    QCOMPARE(names->currentText(), font);
    f.w->close();
    const QStringList lines = f.root().readList(EditorFixture::settingsRelative());
    QCOMPARE(lines.value(8), font);
    QCOMPARE(lines.value(9), QString::number(size));
}

void TestFontControls::typingInSizeBox_choosesAndApplies_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<int>("size");
    QTest::newRow("1") << '1' << 10;
    QTest::newRow("2") << '2' << 20;
    QTest::newRow("3") << '3' << 36;
    QTest::newRow("4") << '4' << 48;
    QTest::newRow("7") << '7' << 72;
    QTest::newRow("8") << '8' << 8;
    QTest::newRow("9") << '9' << 9;
}

void TestFontControls::typingInSizeBox_choosesAndApplies()
{
    QFETCH(char, key);
    QFETCH(int, size);
    EditorFixture f;
    FontBox *box = f.w->fontPanel->sizeBox;
    box->setFocus();
    box->lineEdit()->selectAll();

    QTest::keyClick(box->lineEdit(), key);

    QCOMPARE(box->currentText(), QString::number(size));
    QCOMPARE(f.w->MainSize, size);
    QVERIFY(f.w->Editor->hasFocus());
    f.type(QStringLiteral("x"));
    QCOMPARE(f.formatAt(0).fontPointSize(), double(size));
}

void TestFontControls::sizeBoxCharacterWithoutEntry_reportsConversionErrorAndChangesNothing()
{
    EditorFixture f;
    FontBox *box = f.w->fontPanel->sizeBox;
    box->setFocus();
    box->lineEdit()->selectAll();
    MessageHook::queue(Answer::Ok);

    QTest::keyClick(box->lineEdit(), '5');

    QCOMPARE(MessageHook::takeShown(), QStringList{QStringLiteral("Error: '' is not a valid integer value.")});
    QCOMPARE(box->currentText(), QStringLiteral("5"));
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(f.w->MainSize, 10);
    f.type(QStringLiteral("x"));
    QCOMPARE(f.formatAt(0).fontPointSize(), 10.0);
}

void TestFontControls::typingInNameBox_choosesFirstFontWithThatLetter()
{
    EditorFixture f;
    FontBox *box = f.w->fontPanel->nameBox;
    QString expected;
    for (int i = 0; i < box->count() && expected.isEmpty(); ++i) {
        if (box->itemText(i).startsWith(u'l', Qt::CaseInsensitive))
            expected = box->itemText(i);
    }
    QVERIFY(!expected.isEmpty());
    box->setFocus();
    box->lineEdit()->selectAll();

    QTest::keyClick(box->lineEdit(), 'l');

    QCOMPARE(box->currentText(), expected);
    QCOMPARE(f.w->Mainfont, expected);
    QVERIFY(f.w->Editor->hasFocus());
}

void TestFontControls::sizeButton_setsInsertionPointOnly()
{
    EditorFixture f;
    f.type(QStringLiteral("ab"));
    QTest::mouseClick(f.w->fontPanel->sizeButton[3], Qt::LeftButton); // "12"
    QCOMPARE(f.w->fontPanel->sizeBox->currentText(), QStringLiteral("12"));
    QTest::keyClicks(f.w->Editor, QStringLiteral("cd"));
    QCOMPARE(f.formatAt(1).fontPointSize(), 10.0);
    QCOMPARE(f.formatAt(2).fontPointSize(), 12.0);
    QCOMPARE(f.w->MainSize, 10);
}

void TestFontControls::standardButtons_data()
{
    QTest::addColumn<bool>("heading");
    QTest::addColumn<QString>("standardFont");
    QTest::addColumn<bool>("installed");
    QTest::newRow("heading") << true << QStringLiteral("DejaVu Serif") << true;
    QTest::newRow("text") << false << QStringLiteral("DejaVu Serif") << true;
    QTest::newRow("heading in a font not installed") << true << QStringLiteral("Courier Gone") << false;
}

void TestFontControls::standardButtons()
{
    QFETCH(bool, heading);
    QFETCH(QString, standardFont);
    QFETCH(bool, installed);
    EditorFixture f(QStringLiteral("DejaVu Sans"), 12, standardFont);
    f.type(QStringLiteral("Boller med kanel"));
    f.select(0, 6);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    f.w->Editor->mergeCurrentCharFormat(bold);

    QTest::mouseClick(heading ? f.w->fontPanel->osButton : f.w->fontPanel->textButton, Qt::LeftButton);

    const QTextCharFormat format = f.formatAt(2);
    QCOMPARE(format.fontPointSize(), heading ? 14.0 : 10.0);
    QCOMPARE(family(format), standardFont);
    QCOMPARE(format.foreground().color(), heading ? QColor(0, 0, 255) : QColor(0, 0, 0));
    QCOMPARE(format.fontWeight(), int(QFont::Bold));
    QCOMPARE(f.formatAt(8).fontPointSize(), 12.0); // outside the selection
    QCOMPARE(f.w->fontPanel->sizeBox->currentText(), heading ? QStringLiteral("14") : QStringLiteral("10"));
    QCOMPARE(f.w->fontPanel->nameBox->currentText(), installed ? standardFont : QString());
    QCOMPARE(f.w->fontPanel->colorGrid->foregroundIndex(), heading ? 12 : 0);
    QCOMPARE(f.w->Mainfont, QStringLiteral("DejaVu Sans"));
    QCOMPARE(f.w->MainSize, 12);
}

void TestFontControls::saveThenFetchStandardFont_restoresTheName()
{
    EditorFixture f(QStringLiteral("DejaVu Sans"), 12);
    f.w->definerName(QStringLiteral("DejaVu Serif"));
    f.w->fontPanel->mFontGem->trigger();
    f.w->definerName(QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(f.w->standardFont, QStringLiteral("DejaVu Serif"));

    f.w->fontPanel->mfontHent->trigger();

    QCOMPARE(f.w->fontPanel->nameBox->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(f.w->Mainfont, QStringLiteral("DejaVu Serif"));
    QCOMPARE(f.w->MainSize, 12);
    f.type(QStringLiteral("x"));
    QCOMPARE(family(f.formatAt(0)), QStringLiteral("DejaVu Serif"));
    QCOMPARE(f.formatAt(0).fontPointSize(), 12.0);
}

void TestFontControls::fontMenuItems_applyTheirFixedNames()
{
    EditorFixture f;
    const QString first = f.w->fontPanel->nameBox->itemText(0);
    for (int i = 0; i < 8; ++i) {
        const QString name = FontPanel::menuFontName(i + 1);
        QCOMPARE(f.w->fontPanel->mFont[i]->text(), name);
        f.w->fontPanel->mFont[i]->trigger();
        QCOMPARE(f.w->Mainfont, hasEntry(name) ? name : first);
    }
}

void TestFontControls::colorGrid_clickDragAndRightButton()
{
    EditorFixture f;
    ColorGrid *grid = f.w->fontPanel->colorGrid;
    f.type(QStringLiteral("Rødbeder"));
    f.select(0, 3);
    f.w->fontPanel->sizeBox->setFocus();

    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(1).center());
    QCOMPARE(f.formatAt(1).foreground().color(), QColor(0x80, 0x00, 0x00));
    QCOMPARE(f.w->fontPanel->Info->panelText(6), QStringLiteral("Katanje"));
    QVERIFY(f.w->Editor->hasFocus());

    // Pressed on cell 0, dragged beyond the last cell, released on cell 15: white.
    QTest::mousePress(grid, Qt::LeftButton, {}, grid->cellRect(0).center());
    QTest::mouseMove(grid, grid->rect().bottomRight() + QPoint(40, 40));
    QCOMPARE(grid->foregroundIndex(), 15);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->cellRect(15).center());
    QCOMPARE(f.formatAt(1).foreground().color(), QColor(0xFF, 0xFF, 0xFF));
    QCOMPARE(f.w->fontPanel->Info->panelText(6), QStringLiteral("Hvid"));

    // Released outside the grid: the marker moved, nothing was applied.
    QTest::mousePress(grid, Qt::LeftButton, {}, grid->cellRect(9).center());
    QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(-10, 5));
    QCOMPARE(grid->foregroundIndex(), 9);
    QCOMPARE(f.formatAt(1).foreground().color(), QColor(0xFF, 0xFF, 0xFF));

    // The right button moves the background marker only.
    QTest::mouseClick(grid, Qt::RightButton, {}, grid->cellRect(4).center());
    QCOMPARE(grid->backgroundIndex(), 4);
    QCOMPARE(grid->foregroundIndex(), 9);
    QCOMPARE(f.formatAt(1).foreground().color(), QColor(0xFF, 0xFF, 0xFF));
}

void TestFontControls::caret_movesBoxesAndGridWithoutApplying()
{
    EditorFixture f(QStringLiteral("DejaVu Sans"), 10);
    // Red text, 13-point text, text in a font that is not installed, text in a Windows face
    // that has a stand-in.
    rtf::read(QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}{\\f1 Courier Gone;}{\\f2 Comic Sans MS;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}"
                         "\\f0\\fs20\\cf1 r\\'f8d\\cf0  \\fs26 stor\\fs20  \\f1 fremmed \\f2 windows\\par}"),
              f.w->Editor->document());
    struct Case {
        int position;
        QString name, size, colour;
        int cell;
    };
    const Case cases[] = {
        {2, QStringLiteral("DejaVu Sans"), QStringLiteral("10"), QStringLiteral("Rød"), 9},
        {6, QStringLiteral("DejaVu Sans"), QString(), QStringLiteral("Sort"), 0},
        {13, QString(), QStringLiteral("10"), QStringLiteral("Sort"), 0},
        {22, QStringLiteral("Comic Sans MS"), QStringLiteral("10"), QStringLiteral("Sort"), 0},
    };
    for (const Case &c : cases) {
        f.select(c.position, c.position);
        f.w->XYinfo();
        QCOMPARE(f.w->fontPanel->nameBox->currentText(), c.name);
        QCOMPARE(f.w->fontPanel->sizeBox->currentText(), c.size);
        QCOMPARE(f.w->fontPanel->colorGrid->foregroundIndex(), c.cell);
        QCOMPARE(f.w->fontPanel->Info->panelText(6), c.colour);
    }
    QCOMPARE(f.w->Mainfont, QStringLiteral("DejaVu Sans"));
    QCOMPARE(f.w->MainSize, 10);
}

void TestFontControls::plainText_showsTheLooksTextColour_data()
{
    QTest::addColumn<QString>("look");
    for (const QString &name : design::styleNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestFontControls::plainText_showsTheLooksTextColour()
{
    QFETCH(QString, look);
    EditorFixture f;
    QVERIFY(design::trySetStyle(look));
    rtf::read(QByteArray("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 rr\\cf0  plain\\par}"),
              f.w->Editor->document());
    f.select(1, 1);
    f.w->XYinfo();
    QCOMPARE(f.w->fontPanel->Info->panelText(6), QStringLiteral("Rød"));
    f.select(5, 5);
    f.w->XYinfo();
    const QColor text = f.w->Editor->palette().color(QPalette::Text);
    const int cell = nearestColorIndex(text);
    QCOMPARE(f.w->fontPanel->colorGrid->foregroundIndex(), cell);
    QCOMPARE(f.w->fontPanel->Info->panelText(6), colorTable()[std::size_t(cell)].name);
    design::trySetStyle(design::kSystemLook);
}

void TestFontControls::bulletButton_reflectsBulletsOnly_andActsOnTheWholeSelection()
{
    EditorFixture f;
    f.type(QStringLiteral("en"));
    for (const QString &line : {QStringLiteral("to"), QStringLiteral("tre")}) {
        QTest::keyClick(f.w->Editor, Qt::Key_Return);
        QTest::keyClicks(f.w->Editor, line);
    }
    QAction *prik = f.w->editorActions->FormatRichEditBullets1;
    QTextDocument *doc = f.w->Editor->document();
    const auto style = [doc](int block) {
        const QTextList *list = doc->findBlockByNumber(block).textList();
        return list ? list->format().style() : QTextListFormat::ListStyleUndefined;
    };

    // A numbered list is no bullet list.
    f.select(0, 0);
    QTextCursor(doc->findBlockByNumber(1)).createList(QTextListFormat::ListDecimal);
    f.select(4, 4);
    f.w->updateActions();
    QVERIFY(!prik->isChecked());

    // From the plain first paragraph into the numbered second: both become bullets.
    f.select(1, 5);
    prik->trigger();
    QCOMPARE(style(0), QTextListFormat::ListDisc);
    QCOMPARE(style(1), QTextListFormat::ListDisc);
    QCOMPARE(style(2), QTextListFormat::ListStyleUndefined);
    QVERIFY(prik->isChecked());

    // The whole text, half of it bullets: all get bullets; again: none has any.
    f.select(0, doc->characterCount() - 1);
    prik->trigger();
    for (int block = 0; block < 3; ++block)
        QCOMPARE(style(block), QTextListFormat::ListDisc);
    QVERIFY(prik->isChecked());
    prik->trigger();
    for (int block = 0; block < 3; ++block)
        QCOMPARE(style(block), QTextListFormat::ListStyleUndefined);
    QVERIFY(!prik->isChecked());
    QCOMPARE(doc->toPlainText(), QStringLiteral("en\nto\ntre"));
}

void TestFontControls::formatCommands_actOnlyWithFocus_andSurviveSaveAndReload()
{
    EditorFixture f;
    chooseEntry(f.w->hovedKatBox, QStringLiteral("Kager"));
    chooseEntry(f.w->underKatBox, QStringLiteral("Gærbag"));
    chooseEntry(f.w->opskriftBox, QStringLiteral("Boller"));
    f.type(QStringLiteral("Fed kursiv streg"));
    QTest::keyClick(f.w->Editor, Qt::Key_Return);
    QTest::keyClicks(f.w->Editor, QStringLiteral("Punkt"));
    EditorActions *e = f.w->editorActions;

    // Without the focus in the editor the commands do nothing.
    f.select(0, 3);
    f.w->hovedKatBox->setFocus();
    e->FormatRichEditBold1->trigger();
    QCOMPARE(f.formatAt(1).fontWeight(), int(QFont::Normal));
    QVERIFY(!e->FormatRichEditBold1->isChecked());

    f.w->Editor->setFocus();
    QTest::keyClick(f.w->Editor, Qt::Key_B, Qt::ControlModifier);
    QVERIFY(e->FormatRichEditBold1->isChecked());
    f.select(4, 10);
    QTest::keyClick(f.w->Editor, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(f.w->Editor, Qt::Key_U, Qt::ControlModifier);
    f.select(11, 16);
    e->FormatRichEditStrikeOut1->trigger();
    e->FormatRichEditAlignCenter1->trigger();
    QVERIFY(e->FormatRichEditAlignCenter1->isChecked());
    QVERIFY(!e->FormatRichEditAlignLeft1->isChecked());
    f.select(18, 18);
    e->FormatRichEditBullets1->trigger();
    QVERIFY(e->FormatRichEditBullets1->isChecked());

    QTRY_VERIFY(f.w->AgemBeskrivelse->isEnabled());
    QTest::keyClick(f.w->Editor, Qt::Key_G, Qt::ControlModifier);
    QVERIFY(!f.w->Editor->document()->isModified());

    QTextDocument reloaded;
    QVERIFY(rtf::loadFile(f.root().file(QStringLiteral("Brugere/Alle/Kager/Gærbag/Boller.rtf")), &reloaded));
    QCOMPARE(reloaded.toPlainText(), QStringLiteral("Fed kursiv streg\nPunkt"));
    QTextCursor c(&reloaded);
    const auto at = [&c](int position) {
        c.setPosition(position + 1);
        return c.charFormat();
    };
    QCOMPARE(at(1).fontWeight(), int(QFont::Bold));
    QVERIFY(at(5).fontItalic() && at(5).fontUnderline() && at(5).fontWeight() == QFont::Normal);
    QVERIFY(at(12).fontStrikeOut() && !at(12).fontItalic());
    QVERIFY(!at(3).fontItalic() && !at(3).fontStrikeOut());
    QCOMPARE(reloaded.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(reloaded.lastBlock().textList());
    QCOMPARE(reloaded.lastBlock().textList()->format().style(), QTextListFormat::ListDisc);

    // The bullets come off again.
    f.select(18, 18);
    e->FormatRichEditBullets1->trigger();
    QVERIFY(!f.w->Editor->textCursor().currentList());
}

QTEST_MAIN(TestFontControls)
#include "tst_fontcontrols.moc"
