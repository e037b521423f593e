#pragma once

#include "store/listchange.h"
#include "store/listfile.h"
#include "store/storepaths.h"

#include <QRandomGenerator>
#include <QtTest>

// A book made through the store, as the program makes one.
class BookMaker {
public:
    explicit BookMaker(store::Tree area)
        : m_area(std::move(area))
    {
    }

    // The folder of a category, inserted when the list does not hold it yet.
    QString category(const QString &parent, const QString &name) const
    {
        const QString list = parent == m_area.root() ? store::StorePaths::mainCategoryFile(parent)
                                                     : store::StorePaths::indexFile(parent);
        const int level = parent == m_area.root() ? 1 : 2;
        (void)store::ListChange(m_area, {level, list, parent}).insert(name);
        return m_area.folder(parent, name);
    }

    QString sub(const QString &main, const QString &sub) const { return category(category(m_area.root(), main), sub); }

    // An empty QByteArray for a file leaves that file out.
    void recipe(const QString &main, const QString &subName, const QString &name, const QByteArray &rtf,
                const QStringList &ingredients) const
    {
        const QString folder = sub(main, subName);
        QCOMPARE(store::ListChange(m_area, {3, store::StorePaths::indexFile(folder), folder}).insert(name).outcome,
                 store::ChangeOutcome::Done);
        if (!rtf.isEmpty())
            QVERIFY(m_area.writeFile(store::StorePaths::descriptionFile(m_area, folder, name), rtf));
        if (!ingredients.isEmpty())
            QVERIFY(store::writeListFile(m_area, store::StorePaths::ingredientFile(m_area, folder, name), ingredients));
    }

    static QByteArray rtf(const QString &text)
    {
        return "{\\rtf1\\ansi\\ansicpg1252 " + text.toLatin1() + "\\par}";
    }

    // A description that does not pack: the size of the archive follows it.
    static QByteArray noise(int bytes, quint32 seed)
    {
        QRandomGenerator random(seed);
        QByteArray data(bytes, Qt::Uninitialized);
        for (char &c : data)
            c = char('a' + random.bounded(26));
        return "{\\rtf1 " + data + "}";
    }

    const store::Tree &area() const { return m_area; }

private:
    store::Tree m_area;
};
