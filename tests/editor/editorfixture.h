#pragma once

#include "editor/descriptionedit.h"
#include "editor/editoractions.h"
#include "editor/fontpanel.h"
#include "mainwindowfixture.h"

#include <QTextCursor>
#include <QTextEdit>

// The program's windows on a throw-away data root in write mode, shown and activated, with a
// saved settings file: font, size and standard font as given. One recipe "Boller" waits in the
// shared area under Kager | Gærbag.
class EditorFixture {
public:
    explicit EditorFixture(const QString &mainFont = QStringLiteral("DejaVu Sans"), int mainSize = 10,
                           const QString &standardFont = QStringLiteral("DejaVu Serif"),
                           const TestDataRoot *sharedRoot = nullptr)
    {
        const TestDataRoot &root = sharedRoot ? *sharedRoot : m_root;
        root.writeList(settingsRelative(),
                       {QStringLiteral("100"), QStringLiteral("100"), QStringLiteral("1057"),
                        QStringLiteral("678"), QStringLiteral("233"), QStringLiteral("200"),
                        QStringLiteral("300"), QStringLiteral("300"), mainFont,
                        QString::number(mainSize), QStringLiteral("1"), QStringLiteral("0"),
                        standardFont, QStringLiteral("Windows")});
        root.writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Kager")});
        root.writeList(QStringLiteral("Brugere/Alle/Kager/Index.txt"), {QStringLiteral("Gærbag")});
        root.writeList(QStringLiteral("Brugere/Alle/Kager/Gærbag/Index.txt"), {QStringLiteral("Boller")});
        m_windows = std::make_unique<MainWindowFixture>(root);
        w = m_windows->window();
        m_windows->showAndActivate();
    }

    static QString settingsRelative()
    {
        return QStringLiteral("Brugere/%1/Indstillinger/indstillinger.txt").arg(Tmainform::GetUserFromWindows());
    }
    const TestDataRoot &root() const { return m_root; }

    // Types text into the editor as a user does, the editor having the focus.
    void type(const QString &text) const
    {
        w->Editor->setFocus();
        QTest::keyClicks(w->Editor, text);
    }
    // Selects characters [from, to) of the editor's text.
    void select(int from, int to) const
    {
        QTextCursor c = w->Editor->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        w->Editor->setTextCursor(c);
    }
    // The character format of the character at position (the one after it).
    QTextCharFormat formatAt(int position) const
    {
        QTextCursor c(w->Editor->document());
        c.setPosition(position + 1);
        return c.charFormat();
    }

    Tmainform *w = nullptr;

private:
    TestDataRoot m_root;
    std::unique_ptr<MainWindowFixture> m_windows;
};
