// The description editor's controls: font boxes, size and standard buttons, font menu, colour
// grid, format commands, status line, hints, the popup menu and the spelling switch.
#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "editor/colorgrid.h"
#include "editor/colortable.h"
#include "editor/descriptionedit.h"
#include "editor/editoractions.h"
#include "editor/fontbox.h"
#include "editor/fontpanel.h"
#include "editor/hinttracker.h"
#include "editor/personalwordlist.h"
#include "editor/spellchecker.h"
#include "editor/statusline.h"
#include "editor/textformat.h"
#include "mainwindow/generalerrorreport.h"
#include "store/fileerror.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kSizeButtonSizes[5] = {9, 10, 11, 12, 14};
constexpr int kHeadingCell = 12; // blue
constexpr int kTextCell = 0;     // black

void toggleBold(QTextEdit *edit)
{
    QTextCharFormat format;
    format.setFontWeight(edit->currentCharFormat().fontWeight() > QFont::Normal ? QFont::Normal
                                                                                 : QFont::Bold);
    edit->mergeCurrentCharFormat(format);
}

void toggleItalic(QTextEdit *edit)
{
    QTextCharFormat format;
    format.setFontItalic(!edit->currentCharFormat().fontItalic());
    edit->mergeCurrentCharFormat(format);
}

void toggleUnderline(QTextEdit *edit)
{
    QTextCharFormat format;
    format.setFontUnderline(!edit->currentCharFormat().fontUnderline());
    edit->mergeCurrentCharFormat(format);
}

void toggleStrikeOut(QTextEdit *edit)
{
    QTextCharFormat format;
    format.setFontStrikeOut(!edit->currentCharFormat().fontStrikeOut());
    edit->mergeCurrentCharFormat(format);
}

bool isBulleted(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return false;
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

// The paragraphs the selection touches, or the caret's paragraph.
QList<QTextBlock> selectedParagraphs(const QTextEdit *edit)
{
    const QTextCursor cursor = edit->textCursor();
    const QTextDocument *doc = edit->document();
    const QTextBlock last = doc->findBlock(cursor.selectionEnd());
    QList<QTextBlock> blocks;
    for (QTextBlock block = doc->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        blocks.append(block);
        if (block == last)
            break;
    }
    return blocks;
}

// Pressed only when every selected paragraph has a bullet; a numbered list is no bullet list.
bool allBulleted(const QTextEdit *edit)
{
    const QList<QTextBlock> blocks = selectedParagraphs(edit);
    return std::all_of(blocks.cbegin(), blocks.cend(), isBulleted);
}

void toggleBullets(QTextEdit *edit)
{
    QTextCursor cursor = edit->textCursor();
    cursor.beginEditBlock();
    if (allBulleted(edit)) {
        for (QTextBlock block : selectedParagraphs(edit)) {
            block.textList()->remove(block);
            QTextCursor at(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(0);
            at.setBlockFormat(format);
        }
    } else {
        // One bullet list over every selected paragraph, numbered ones included.
        cursor.createList(QTextListFormat::ListDisc);
    }
    cursor.endEditBlock();
}

void alignLeft(QTextEdit *edit) { edit->setAlignment(Qt::AlignLeft); }
void alignCenter(QTextEdit *edit) { edit->setAlignment(Qt::AlignHCenter); }
void alignRight(QTextEdit *edit) { edit->setAlignment(Qt::AlignRight); }

// The edit field the popup menu's commands act on: the one with the keyboard focus.
struct FocusedField {
    QTextEdit *text = nullptr;
    QLineEdit *line = nullptr;

    FocusedField()
    {
        QWidget *w = QApplication::focusWidget();
        text = qobject_cast<QTextEdit *>(w);
        line = qobject_cast<QLineEdit *>(w);
        if (auto *box = qobject_cast<QComboBox *>(w))
            line = box->lineEdit();
    }
    bool exists() const { return text || line; }
    bool readOnly() const { return text ? text->isReadOnly() : (!line || line->isReadOnly()); }
    bool canUndo() const
    {
        return text ? text->document()->isUndoAvailable() : (line && line->isUndoAvailable());
    }
    bool hasSelection() const
    {
        return text ? text->textCursor().hasSelection() : (line && line->hasSelectedText());
    }
    bool hasText() const
    {
        return text ? !text->document()->isEmpty() : (line && !line->text().isEmpty());
    }
};

} // namespace

DescriptionEdit *Tmainform::descriptionEdit() const
{
    return static_cast<DescriptionEdit *>(Editor);
}

QString Tmainform::personalWordListPath() const
{
    return optDir.isEmpty() ? QString() : optDir + personalwordlist::fileName();
}

void Tmainform::connectEditor()
{
    setStatusTip(QStringLiteral("Standard tekst"));
    stavekontrolOrdbog = danishDictionaryBase();

    m_hintTracker = new HintTracker(this);
    connect(m_hintTracker, &HintTracker::hintChanged, this, &Tmainform::HintInfo);

    DescriptionEdit *edit = descriptionEdit();
    EditorActions *e = editorActions;
    edit->setPopupMenu(e->EditorPU);
    edit->setEditActions(e->EditorPU->actions());
    connect(edit, &DescriptionEdit::keyReleased, this, [this] { guardedCommand([this] { EditorKeyUp(); }); });
    connect(edit, &DescriptionEdit::mousePressed, this, &Tmainform::EditorMouseDown);
    connect(edit, &DescriptionEdit::mouseMoved, this, [this] { guardedCommand([this] { EditorMouseMove(); }); });
    connect(edit, &DescriptionEdit::mouseReleased, this, [this] { guardedCommand([this] { EditorMouseUp(); }); });
    connect(edit, &DescriptionEdit::addWordRequested, this,
            [this](const QString &word) { guardedCommand([this, word] { addToPersonalWordList(word); }); });
    connect(edit, &QTextEdit::currentCharFormatChanged, this, &Tmainform::updateEditorActions);
    connect(edit, &QTextEdit::cursorPositionChanged, this, &Tmainform::updateEditorActions);

    const std::pair<QAction *, void (*)(QTextEdit *)> commands[] = {
        {e->FormatRichEditBold1, toggleBold},           {e->FormatRichEditItalic1, toggleItalic},
        {e->FormatRichEditUnderline1, toggleUnderline}, {e->FormatRichEditStrikeOut1, toggleStrikeOut},
        {e->FormatRichEditBullets1, toggleBullets},     {e->FormatRichEditAlignLeft1, alignLeft},
        {e->FormatRichEditAlignCenter1, alignCenter},   {e->FormatRichEditAlignRight1, alignRight},
    };
    for (const auto &[action, apply] : commands) {
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                [this, apply = apply] { guardedCommand([this, apply] { formatCommand(apply); }); });
    }

    const auto onFocused = [this](QAction *action, auto command) {
        connect(action, &QAction::triggered, this, [command] {
            const FocusedField field;
            if (field.exists())
                command(field);
        });
    };
    onFocused(e->EditUndo1, [](const FocusedField &f) { f.text ? f.text->undo() : f.line->undo(); });
    onFocused(e->EditCut1, [](const FocusedField &f) { f.text ? f.text->cut() : f.line->cut(); });
    onFocused(e->EditCopy1, [](const FocusedField &f) { f.text ? f.text->copy() : f.line->copy(); });
    onFocused(e->EditPaste1, [](const FocusedField &f) { f.text ? f.text->paste() : f.line->paste(); });
    onFocused(e->EditSelectAll1, [](const FocusedField &f) { f.text ? f.text->selectAll() : f.line->selectAll(); });
    onFocused(e->EditDelete1, [](const FocusedField &f) {
        if (f.text)
            f.text->textCursor().removeSelectedText();
        else
            f.line->del();
    });
    connect(e->EditorPU, &QMenu::aboutToShow, this, &Tmainform::updateEditorActions);
    connect(e->EditStavekontrol, &QAction::triggered, this,
            [this] { guardedCommand([this] { EditStavekontrolExecute(); }); });
}

void Tmainform::connectFontControls()
{
    FontPanel *p = fontPanel;
    connect(p->nameBox, &FontBox::changed, this, [this] { guardedCommand([this] { nameBoxChange(); }); });
    connect(p->nameBox, &FontBox::aboutToList, this, &Tmainform::listWindowsFaces);
    connect(p->sizeBox, &FontBox::changed, this, [this] { guardedCommand([this] { sizeBoxChange(); }); });
    for (int i = 0; i < 5; ++i)
        connect(p->sizeButton[i], &QToolButton::clicked, this,
                [this, i] { guardedCommand([this, i] { sizeButtonClick(i + 1); }); });
    connect(p->osButton, &QToolButton::clicked, this, [this] { guardedCommand([this] { osButtonClick(); }); });
    connect(p->textButton, &QToolButton::clicked, this, [this] { guardedCommand([this] { textButtonClick(); }); });
    for (int i = 0; i < 8; ++i)
        connect(p->mFont[i], &QAction::triggered, this,
                [this, i] { guardedCommand([this, i] { mFontClick(i + 1); }); });
    connect(p->mfontHent, &QAction::triggered, this, [this] { guardedCommand([this] { mfontHentClick(); }); });
    connect(p->mFontGem, &QAction::triggered, this, [this] { guardedCommand([this] { mFontGemClick(); }); });
    connect(p->colorGrid, &ColorGrid::clicked, this, [this] { guardedCommand([this] { colorGridClick(); }); });
}

// The name as the font list has it, or the list's first entry when the list lacks it.
void Tmainform::definerName(const QString &aName)
{
    const QString listed = listedFontName(aName);
    if (!listed.isEmpty())
        Mainfont = listed;
    else if (!m_fontList.names().isEmpty())
        Mainfont = m_fontList.names().first();
    if (FontPanel *panel = fontPanel.existing())
        panel->nameBox->showEntry(Mainfont);
    textformat::setFontName(Editor, Mainfont);
    Editor->setFocus();
}

// The size as the size list has it, or the list's first entry when the list lacks it.
void Tmainform::definerSize(int aSize)
{
    const QList<int> sizes = FontPanel::listedSizes();
    MainSize = sizes.contains(aSize) ? aSize : sizes.first();
    if (FontPanel *panel = fontPanel.existing())
        panel->sizeBox->showEntry(QString::number(MainSize));
    textformat::setSize(Editor, MainSize);
    Editor->setFocus();
}

void Tmainform::nameBoxChange()
{
    definerName(fontPanel->nameBox->currentEntry());
}

void Tmainform::sizeBoxChange()
{
    const QString text = fontPanel->sizeBox->currentEntry();
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok)
        throw std::invalid_argument(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    definerSize(size);
}

void Tmainform::sizeButtonClick(int number)
{
    const int size = kSizeButtonSizes[std::clamp(number, 1, 5) - 1];
    fontPanel->sizeBox->showEntry(QString::number(size));
    textformat::setSize(Editor, size);
}

void Tmainform::osButtonClick()
{
    fontPanel->sizeBox->showEntry(QStringLiteral("14"));
    fontPanel->nameBox->showEntry(listedFontName(standardFont));
    fontPanel->colorGrid->setForegroundIndex(kHeadingCell);
    setStandardOverskrift(Editor);
}

void Tmainform::textButtonClick()
{
    fontPanel->sizeBox->showEntry(QStringLiteral("10"));
    fontPanel->nameBox->showEntry(listedFontName(standardFont));
    fontPanel->colorGrid->setForegroundIndex(kTextCell);
    setStandardTekst(Editor);
}

void Tmainform::setStandardOverskrift(QTextEdit *RE)
{
    textformat::setStandardOverskrift(RE, standardFont);
}

void Tmainform::setStandardTekst(QTextEdit *RE)
{
    textformat::setStandardTekst(RE, standardFont);
}

void Tmainform::mFontClick(int number)
{
    definerName(FontPanel::menuFontName(number));
}

void Tmainform::mfontHentClick()
{
    definerName(standardFont);
}

void Tmainform::mFontGemClick()
{
    standardFont = Mainfont;
}

void Tmainform::colorGridClick()
{
    const int cell = fontPanel->colorGrid->foregroundIndex();
    if (cell >= 0)
        textformat::setColor(Editor, colorTable()[std::size_t(cell)].color);
    udskrivFarve();
    Editor->setFocus();
}

void Tmainform::udskrivFarve()
{
    FontPanel *panel = fontPanel.existing();
    if (!panel)
        return;
    // No cell, no name: the last colour named would be a stale one.
    const int cell = panel->colorGrid->foregroundIndex();
    panel->Info->setPanelText(6, cell >= 0 ? colorTable()[std::size_t(cell)].name : QString());
}

// Everything here is for the font panel; a panel made later shows it then.
void Tmainform::XYinfo()
{
    m_caretFollowed = true;
    FontPanel *panel = fontPanel.existing();
    if (!panel)
        return;
    QTextDocument *doc = Editor->document();
    int lines = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);

    const QTextCursor cursor = Editor->textCursor();
    const int end = std::max(cursor.position(), cursor.anchor());
    const QTextBlock block = doc->findBlock(end);
    int line = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && b != block; b = b.next())
        line += std::max(1, b.layout() ? b.layout()->lineCount() : 1);
    int column = end - block.position();
    if (QTextLayout *layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine textLine = layout->lineForTextPosition(column);
        if (textLine.isValid()) {
            line += textLine.lineNumber();
            column -= textLine.textStart();
        }
    }
    panel->Info->setPanelText(2, QString::number(std::max(lines, 1)));
    panel->Info->setPanelText(4, QString::number(line + 1) + u',' + QString::number(column));
    followCaret();
}

// The part of the caret's status that concerns the font controls: they show what is at the
// caret, without applying anything.
void Tmainform::followCaret()
{
    FontPanel *panel = fontPanel.existing();
    if (!panel)
        return;
    panel->nameBox->showEntry(listedFontName(textformat::fontName(Editor)));
    panel->sizeBox->showEntry(QString::number(textformat::size(Editor)));
    // Plain text shows as the look's text colour, marked by the nearest cell; a colour of a
    // recipe's own outside the sixteen marks none.
    const QColor shown = textformat::color(Editor);
    panel->colorGrid->setForegroundIndex(textformat::hasOwnColor(Editor) ? ColorToIndex(shown)
                                                                         : nearestColorIndex(shown));
    udskrivFarve();
}

void Tmainform::formatCommand(void (*apply)(QTextEdit *))
{
    // From the editor, or from its tool bar reached with Tab: the keyboard's way to the command.
    QToolBar *bar = toolPanel.existing();
    if (Editor->hasFocus() || (bar && bar->isAncestorOf(QApplication::focusWidget())))
        apply(Editor);
    // A button press toggles its pressed look; the editor's format decides it.
    updateEditorActions();
}

void Tmainform::EditorKeyUp()
{
    XYinfo();
}

void Tmainform::EditorMouseDown(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        musNede = true;
}

void Tmainform::EditorMouseMove()
{
    if (musNede)
        XYinfo();
}

void Tmainform::EditorMouseUp()
{
    musNede = false;
    XYinfo();
}

void Tmainform::HintInfo(const QString &hint)
{
    hintLabel->setText(hint);
}

void Tmainform::EditStavekontrolExecute()
{
    DescriptionEdit *edit = descriptionEdit();
    QAction *action = editorActions->EditStavekontrol;
    if (edit->popupMenu() == editorActions->EditorPU) {
        if (!edit->startSpellChecking(stavekontrolOrdbog, personalwordlist::read(personalWordListPath()))) {
            Messages::information(QStringLiteral(
                "Stavekontrollen kan ikke startes, fordi den danske ordbog mangler.\r"
                "Installer pakken \"hunspell-da\"."));
            return;
        }
        edit->setPopupMenu(nullptr);
        action->setText(QStringLiteral("Funktioner"));
        action->setStatusTip(QStringLiteral("Skift popup-menu til \"Funktioner\""));
    } else {
        edit->stopSpellChecking();
        edit->setPopupMenu(editorActions->EditorPU);
        action->setText(QStringLiteral("Stavekontrol"));
        action->setStatusTip(QStringLiteral("Skift popup-menu til \"Stavekontrol\""));
    }
}

void Tmainform::addToPersonalWordList(const QString &word)
{
    store::throwIfFailed(personalwordlist::add(personalWordListPath(), word));
    if (SpellChecker *checker = descriptionEdit()->spellChecker()) {
        checker->addWord(word);
        descriptionEdit()->recheckSpelling();
    }
}

void Tmainform::updateEditorActions()
{
    EditorActions *e = editorActions;
    const QTextCharFormat format = Editor->currentCharFormat();
    e->FormatRichEditBold1->setChecked(format.fontWeight() > QFont::Normal);
    e->FormatRichEditItalic1->setChecked(format.fontItalic());
    e->FormatRichEditUnderline1->setChecked(format.fontUnderline());
    e->FormatRichEditStrikeOut1->setChecked(format.fontStrikeOut());
    e->FormatRichEditBullets1->setChecked(allBulleted(Editor));
    const Qt::Alignment align = Editor->alignment() & Qt::AlignHorizontal_Mask;
    e->FormatRichEditAlignLeft1->setChecked(!(align & (Qt::AlignHCenter | Qt::AlignRight)));
    e->FormatRichEditAlignCenter1->setChecked(align & Qt::AlignHCenter);
    e->FormatRichEditAlignRight1->setChecked(align & Qt::AlignRight);

    const FocusedField field;
    const bool writable = field.exists() && !field.readOnly();
    e->EditUndo1->setEnabled(writable && field.canUndo());
    e->EditCut1->setEnabled(writable && field.hasSelection());
    e->EditCopy1->setEnabled(field.hasSelection());
    // Only a field that takes text asks the clipboard, and not before the first frame: the
    // question goes to the X server, and its answer's list of formats loads every image plugin.
    const QMimeData *clipboard =
        writable && m_firstFrameOut ? QApplication::clipboard()->mimeData() : nullptr;
    e->EditPaste1->setEnabled(clipboard && clipboard->hasText());
    e->EditSelectAll1->setEnabled(field.hasText());
    e->EditDelete1->setEnabled(writable && field.hasSelection());
}
