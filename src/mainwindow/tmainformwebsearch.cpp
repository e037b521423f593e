// Looking up the selected text or the word at the caret with a web search in the browser.
#include "mainwindow/tmainform.h"

#include "editor/editoractions.h"
#include "editor/websearch.h"
#include "mainwindow/generalerrorreport.h"

#include <QAction>
#include <QDesktopServices>
#include <QTextEdit>

namespace {

void beforeBrowse(QAction *Sender, websearch::Service service, const QString &word)
{
    // The action keeps the address of its last search.
    Sender->setData(websearch::searchAddress(service, word));
}

} // namespace

void Tmainform::connectWebSearch()
{
    const std::pair<QAction *, void (Tmainform::*)(QAction *)> searches[] = {
        {editorActions->googleUrl, &Tmainform::googleUrlBeforeBrowse},
        {editorActions->bingUrl, &Tmainform::bingUrlBeforeBrowse},
        {editorActions->tubeUrl, &Tmainform::tubeUrlBeforeBrowse},
    };
    for (const auto &[action, handler] : searches) {
        connect(action, &QAction::triggered, this, [this, action = action, handler = handler] {
            guardedCommand([this, action, handler] {
                (this->*handler)(action);
                // Whether a browser opens is the desktop's affair; nothing is reported.
                QDesktopServices::openUrl(action->data().toUrl());
            });
        });
    }
}

QString Tmainform::FindTekst() const
{
    return websearch::findText(Editor);
}

QString Tmainform::getTheWord() const
{
    const QString word = FindTekst();
    return word.isEmpty() ? websearch::missingWordText() : word;
}

void Tmainform::googleUrlBeforeBrowse(QAction *Sender)
{
    beforeBrowse(Sender, websearch::Service::Google, getTheWord());
}

void Tmainform::bingUrlBeforeBrowse(QAction *Sender)
{
    beforeBrowse(Sender, websearch::Service::Bing, getTheWord());
}

void Tmainform::tubeUrlBeforeBrowse(QAction *Sender)
{
    beforeBrowse(Sender, websearch::Service::YouTube, getTheWord());
}
