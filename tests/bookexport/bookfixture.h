#pragma once

#include "testdataroot.h"

#include <QDir>
#include <QStringList>

// A small book in the shared area of a test data root, in book order: two main categories, a
// recipe over two pages, one whose description is a folder (unreadable), an empty subcategory
// (left out of the book) and 60 small cakes that carry the contents list over a page.
struct BookRecipe {
    QString hovedKat;
    QString underKat;
    QString name;
    QStringList ingredients;
    QString text; // one sentence of the description, found once in the book
};

inline QByteArray rtfOf(const QString &text, int paragraphs = 1)
{
    QByteArray body;
    for (int i = 0; i < paragraphs; ++i) {
        QByteArray line;
        for (const QChar c : text)
            line += c.unicode() < 128 ? QByteArray(1, char(c.unicode()))
                                      : "\\u" + QByteArray::number(c.unicode()) + '?';
        body += i == 0 ? line : QByteArray("Afsnit ") + QByteArray::number(i) + " om at røre dejen godt igennem.";
        body += "\\par ";
    }
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Liberation Sans;}}\\f0\\fs24 " + body + "}";
}

class BookFixture {
public:
    BookFixture()
    {
        add(u"Bagværk"_qs, u"Brød"_qs, u"Boller"_qs, {u"500 g hvedemel"_qs, u"50 g gær"_qs}, u"Bollerne hæves i en time."_qs);
        add(u"Bagværk"_qs, u"Brød"_qs, u"Rugbrød"_qs, {u"1 l vand"_qs, u"600 g rugmel"_qs},
            u"Rugbrødet bages længe ved lav varme."_qs, 90);
        add(u"Bagværk"_qs, u"Kager"_qs, u"Æblekage"_qs, {u"1 kg æbler"_qs, u"100 g rasp"_qs}, u"Æblerne koges til grød med sødme."_qs);
        add(u"Bagværk"_qs, u"Kager"_qs, u"Ulæselig"_qs, {u"1 mystisk ting"_qs}, QString());
        for (int i = 1; i <= 60; ++i) {
            const QString n = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
            add(u"Desserter"_qs, u"Småkager"_qs, u"Småkage "_qs + n, {u"Mel nr. "_qs + n}, u"Småkage nummer "_qs + n + u" er sprød."_qs);
        }
        add(u"Desserter"_qs, u"Is"_qs, u"Vaniljeis"_qs, {u"5 æggeblommer"_qs, u"1 stang vanilje"_qs}, u"Isen fryses under omrøring."_qs);
        root.writeList(u"Brugere/Alle/Hovedkategori.txt"_qs, {u"Bagværk"_qs, u"Desserter"_qs});
        root.writeList(u"Brugere/Alle/Bagværk/Index.txt"_qs, {u"Brød"_qs, u"Kager"_qs});
        root.writeList(u"Brugere/Alle/Desserter/Index.txt"_qs, {u"Småkager"_qs, u"Tom"_qs, u"Is"_qs});
        QDir().mkpath(root.file(u"Brugere/Alle/Desserter/Tom"_qs));
        QStringList inSub;
        QString sub;
        for (const BookRecipe &r : recipes) {
            if (r.hovedKat + u'/' + r.underKat != sub) {
                sub = r.hovedKat + u'/' + r.underKat;
                QStringList names;
                for (const BookRecipe &o : recipes)
                    if (o.hovedKat + u'/' + o.underKat == sub)
                        names << o.name;
                root.writeList(u"Brugere/Alle/"_qs + sub + u"/Index.txt"_qs, names);
            }
        }
    }

    QString areaFolder() const { return root.paths().sharedArea(); }
    store::Tree area() const { return root.paths().areaTree(false, QString()); }

    QList<BookRecipe> inScope(const QString &hovedKat, const QString &underKat = QString()) const
    {
        QList<BookRecipe> found;
        for (const BookRecipe &r : recipes)
            if ((hovedKat.isEmpty() || r.hovedKat == hovedKat) && (underKat.isEmpty() || r.underKat == underKat))
                found << r;
        return found;
    }

    TestDataRoot root;
    QList<BookRecipe> recipes;

private:
    void add(const QString &hovedKat, const QString &underKat, const QString &name, const QStringList &ingredients,
             const QString &text, int paragraphs = 1)
    {
        recipes.append({hovedKat, underKat, name, ingredients, text});
        const QString base = u"Brugere/Alle/"_qs + hovedKat + u'/' + underKat + u'/' + name;
        root.writeList(base + u"liste.txt"_qs, ingredients);
        if (text.isEmpty())
            QDir().mkpath(root.file(base + u".rtf"_qs)); // a folder where the description should be
        else
            root.writeBytes(base + u".rtf"_qs, rtfOf(text, paragraphs));
    }
};
