#include "lazyload/library.h"

#include <QTest>

#include <cstdlib>
#include <cstring>

// A library of the system that is always there, and a call it has.
#define LIBC_CALLS(X) X(strlen)
struct LibC {
    LAZYLOAD_CALLS(LIBC_CALLS)
};

class TestLazyLoad : public QObject {
    Q_OBJECT
private slots:
    void opensOnFirstUse();
    void reportsWhatIsMissing_data();
    void reportsWhatIsMissing();
};

void TestLazyLoad::opensOnFirstUse()
{
    QString error;
    const LibC *libc = lazyload::calls<LibC>("libc.so.6", &error);
    QVERIFY2(libc, qPrintable(error));
    QCOMPARE(libc->strlen("æblegrød"), std::strlen("æblegrød"));
}

void TestLazyLoad::reportsWhatIsMissing_data()
{
    QTest::addColumn<QByteArray>("soname");
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<QString>("named");
    QTest::newRow("no such library") << QByteArray("libretterum-ingen.so.9") << QByteArray("strlen")
                                     << QStringLiteral("libretterum-ingen.so.9");
    QTest::newRow("no such call") << QByteArray("libc.so.6") << QByteArray("retterum_ingen")
                                  << QStringLiteral("retterum_ingen mangler");
}

void TestLazyLoad::reportsWhatIsMissing()
{
    QFETCH(QByteArray, soname);
    QFETCH(QByteArray, symbol);
    QFETCH(QString, named);
    lazyload::Resolver resolver(soname.constData());
    void (*call)() = &std::abort;
    resolver.resolve(call, symbol.constData());
    QVERIFY(call == nullptr);
    QVERIFY(resolver.error().startsWith(QStringLiteral("Biblioteket %1 kan ikke indlæses").arg(QString::fromLatin1(soname))));
    QVERIFY2(resolver.error().contains(named), qPrintable(resolver.error()));
    QVERIFY(resolver.error().endsWith(QStringLiteral("Geninstaller programmet.")));
}

QTEST_GUILESS_MAIN(TestLazyLoad)
#include "tst_lazyload.moc"
