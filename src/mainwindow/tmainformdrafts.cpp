// Typed work is never lost without a word: a changed description that the user leaves is kept
// as a draft and offered back when its recipe is opened again.
#include "mainwindow/tmainform.h"

#include "dialogs/messages.h"
#include "editor/descriptionedit.h"
#include "mainwindow/listbox.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

#include <QLocale>
#include <QTextEdit>

namespace {

const QString kDescriptionSuffix = QStringLiteral(".rtf");

} // namespace

QString Tmainform::draftKeyOf(int level, const QString &name) const
{
    QStringList names{m_area.isShared() ? QStringLiteral("Alle") : QStringLiteral("Privat")};
    if (level > 1)
        names << hovedKatBox->entry(hovedIndex);
    if (level > 2)
        names << underKatBox->entry(underIndex);
    names << name;
    return names.join(u'/');
}

// From the path rather than the lists: the lists may no longer name the recipe.
QString Tmainform::openRecipeKey() const
{
    if (filnavn.isEmpty() || !filnavn.startsWith(m_area.root()) || !filnavn.endsWith(kDescriptionSuffix))
        return {};
    return (m_area.isShared() ? QStringLiteral("Alle/") : QStringLiteral("Privat/"))
        + filnavn.mid(m_area.root().size()).chopped(kDescriptionSuffix.size());
}

void Tmainform::keepDraft()
{
    QTextDocument *doc = Editor->document();
    const QString key = openRecipeKey();
    if (!doc->isModified() || key.isEmpty())
        return;
    m_drafts.keep(key, rtf::write(*doc));
    // Kept once: whatever clears the editor next has nothing more to keep.
    doc->setModified(false);
}

void Tmainform::offerDraft()
{
    const QString key = openRecipeKey();
    const std::optional<Drafts::Draft> draft = key.isEmpty() ? std::nullopt : m_drafts.find(key);
    if (!draft)
        return;
    // Offered once: whichever the answer, the draft has done its work.
    m_drafts.drop(key);
    const QLocale danish(QLocale::Danish, QLocale::Denmark);
    const QString when = danish.toString(draft->time, QStringLiteral("d.M.yyyy")) + QStringLiteral(" kl. ")
        + danish.toString(draft->time, QStringLiteral("HH.mm"));
    if (!Messages::question(QStringLiteral("Der findes en ikke-gemt udgave af opskriften fra %1.\rVil du hente den?")
                                .arg(when)))
        return;
    descriptionEdit()->beginReplacingText();
    rtf::read(draft->rtf, Editor->document());
    descriptionEdit()->endReplacingText();
    Editor->document()->setModified(true);
    XYinfo();
}
