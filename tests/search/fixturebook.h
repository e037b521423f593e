#pragma once

#include "rtf/rtffile.h"
#include "store/listfile.h"
#include "testdataroot.h"

#include <QTextDocument>
#include <QtTest>

// A small book in both areas, written as the program writes it: list files and RTF made by the
// program's own writer. Paths are relative to the data root.
class FixtureBook {
public:
    FixtureBook(const TestDataRoot &root, const QString &user)
        : m_root(root)
        , m_private(QStringLiteral("Brugere/") + user + u'/')
    {
    }

    static QString shared() { return QStringLiteral("Brugere/Alle/"); }
    QString privat() const { return m_private; }

    void writeAll() const
    {
        recipe(shared(), QStringLiteral("Desserter"), QStringLiteral("Kager"), QStringLiteral("Æblekage"),
               {QStringLiteral("500 g æbler"), QStringLiteral("2 dl kærnemælk")}, QStringLiteral("Bag kagen ved 180 grader i en time."));
        recipe(shared(), QStringLiteral("Desserter"), QStringLiteral("Kager"), QStringLiteral("Crème brûlée"),
               {QStringLiteral("4 æggeblommer"), QStringLiteral("5 dl fløde")}, QStringLiteral("Karamelliser sukkeret med en brænder."));
        recipe(shared(), QStringLiteral("Supper"), QStringLiteral("Kolde"), QStringLiteral("Koldskål"),
               {QStringLiteral("1 l kærnemælk"), QStringLiteral("2 æggeblommer")}, QStringLiteral("Server med kammerjunkere."));
        recipe(m_private, QStringLiteral("Hverdag"), QStringLiteral("Fisk"), QStringLiteral("Laks i ovn"),
               {QStringLiteral("600 g laks"), QStringLiteral("1 citron")}, QStringLiteral("Steg laksen i 20 minutter. Pynt med dild."));
        recipe(m_private, QStringLiteral("Hverdag"), QStringLiteral("Fisk"), QStringLiteral("Stegt ål"), {QStringLiteral("1 kg ål")}, QStringLiteral("Flå ålen."));
        recipe(m_private, QStringLiteral("Hverdag"), QStringLiteral("Brød"), QStringLiteral("Grovboller"),
               {QStringLiteral("50 g gær"), QStringLiteral("1 spsk vegetable olie")}, QStringLiteral("Lad dejen hæve. Server lune med smør."));
    }

    // Adds the recipe to its lists (making them) and writes its two files.
    void recipe(const QString &area, const QString &main, const QString &sub, const QString &name,
                const QStringList &ingredients, const QString &description) const
    {
        addTo(area + u"Hovedkategori.txt", main);
        addTo(area + main + u"/Index.txt", sub);
        addTo(area + main + u'/' + sub + u"/Index.txt", name);
        const QString folder = area + main + u'/' + sub + u'/';
        m_root.writeList(folder + name + u"liste.txt", ingredients);
        writeDescription(folder + name + u".rtf", description);
    }

    void writeDescription(const QString &relative, const QString &text) const
    {
        QTextDocument doc;
        doc.setPlainText(text);
        QVERIFY(rtf::saveFile(&doc, m_root.file(relative)));
    }

private:
    void addTo(const QString &relative, const QString &entry) const
    {
        QStringList entries = QFile::exists(m_root.file(relative)) ? m_root.readList(relative) : QStringList();
        if (!entries.contains(entry))
            m_root.writeList(relative, entries << entry);
    }

    const TestDataRoot &m_root;
    QString m_private;
};
