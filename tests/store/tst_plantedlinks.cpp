// Files the program writes outside the store, at a name the user chose, in a folder where another
// user may swap names: a link planted at the target or at the temporary name is never written
// through, and the chosen name ends as the program's own, whole file.
#include "backup/backupwriter.h"
#include "bookexport/cookbook.h"
#include "printing/pdffile.h"
#include "printing/printerror.h"
#include "sharing/sharepage.h"
#include "store/exclusivefile.h"
#include "testdataroot.h"

#include <QPainter>
#include <QPrinter>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Writer { Pdf, Cookbook, Backup, Share };
enum class Plant { AtTarget, AtTemporaryWhenMade, AtTemporaryBeforeRename };

const QByteArray kVictimBytes = "the victim's own file\n";

// Writes with the writer; empty on success, otherwise the message the user would see.
QString write(Writer writer, const TestDataRoot &root, const QString &target)
{
    switch (writer) {
    case Writer::Pdf:
        try {
            printing::PdfFile pdf(target);
            const std::unique_ptr<QPrinter> printer = pdf.beginJob();
            QPainter painter(printer.get());
            painter.drawText(QPointF(200, 200), QStringLiteral("Boller"));
            painter.end();
            pdf.endJob(*printer);
            return {};
        } catch (const printing::PrintError &e) {
            return e.text();
        }
    case Writer::Cookbook: {
        bookexport::CookbookRequest request;
        request.area = root.paths().areaTree(false, QString());
        request.areaFolder = root.paths().sharedArea();
        request.title = QStringLiteral("For alle");
        request.file = target;
        const bookexport::CookbookResult result = bookexport::writeCookbook(request);
        return result.outcome == bookexport::CookbookResult::Outcome::Written ? QString() : result.error;
    }
    case Writer::Backup: {
        const backup::BackupResult result =
            backup::writeBackup(root.paths().areaTree(false, QString()), QStringLiteral("Alle"), target);
        return result.ok ? QString() : result.error;
    }
    case Writer::Share: {
        const store::FileResult result =
            sharing::shareRecipe(store::Tree(), QString(), QStringLiteral("Boller"), {QStringLiteral("500 g mel")}, target);
        return result ? QString() : result.error;
    }
    }
    return QStringLiteral("no writer");
}

// How each writer's file begins.
QByteArray magicOf(Writer writer)
{
    switch (writer) {
    case Writer::Pdf:
    case Writer::Cookbook:
        return "%PDF-";
    case Writer::Backup:
        return "PK\x03\x04";
    case Writer::Share:
        return "<!DOCTYPE html>";
    }
    return {};
}

// Replaces what stands at path with a link to victim, as another user would.
void plantLink(const QString &victim, const QString &path)
{
    ::unlink(QFile::encodeName(path).constData());
    QVERIFY(QFile::link(victim, path));
}

} // namespace

class TestPlantedLinks : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { store::ExclusiveFile::testHook = nullptr; }

    void linkIsNeverWrittenThrough_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<Plant>("plant");
        const QList<std::pair<const char *, Writer>> writers{
            {"pdf", Writer::Pdf}, {"cookbook", Writer::Cookbook}, {"backup", Writer::Backup}, {"share", Writer::Share}};
        const QList<std::pair<const char *, Plant>> plants{
            {"at the target", Plant::AtTarget},
            {"at the temporary file when made", Plant::AtTemporaryWhenMade},
            {"at the temporary file before the rename", Plant::AtTemporaryBeforeRename}};
        for (const auto &[writerName, writer] : writers)
            for (const auto &[plantName, plant] : plants)
                QTest::addRow("%s, %s", writerName, plantName) << writer << plant;
    }

    void linkIsNeverWrittenThrough()
    {
        QFETCH(Writer, writer);
        QFETCH(Plant, plant);

        TestDataRoot root;
        root.writeList(QStringLiteral("Brugere/Alle/Hovedkategori.txt"), {QStringLiteral("Bagværk")});
        root.writeList(QStringLiteral("Brugere/Alle/Bagværk/Index.txt"), {QStringLiteral("Brød")});
        root.writeList(QStringLiteral("Brugere/Alle/Bagværk/Brød/Index.txt"), {QStringLiteral("Boller")});
        root.writeBytes(QStringLiteral("Brugere/Alle/Bagværk/Brød/Boller.rtf"), "{\\rtf1 Bollerne hæves.\\par}");
        root.writeBytes(QStringLiteral("victim"), kVictimBytes);
        const QString victim = root.file(QStringLiteral("victim"));
        QVERIFY(QFile::setPermissions(victim, QFile::ReadOwner | QFile::WriteOwner));
        // A folder every user may write to, without the sticky bit, as the shared area is.
        const QString folder = root.file(QStringLiteral("Brugere/Alle"));
        const QString target = folder + QStringLiteral("/ud.fil");

        int calls = 0;
        if (plant == Plant::AtTarget)
            plantLink(victim, target);
        else
            store::ExclusiveFile::testHook = [&](const QString &temporary) {
                if (++calls == (plant == Plant::AtTemporaryWhenMade ? 1 : 2))
                    plantLink(victim, temporary);
            };

        QCOMPARE(write(writer, root, target), QString());

        QFile victimFile(victim);
        QVERIFY(victimFile.open(QIODevice::ReadOnly));
        QCOMPARE(victimFile.readAll(), kVictimBytes);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(victim).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0600));
        QCOMPARE(::lstat(QFile::encodeName(target).constData(), &st), 0);
        QVERIFY2(S_ISREG(st.st_mode), "the target is no regular file");
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith(magicOf(writer)));
        // Nothing of ours is left behind under a temporary name.
        const QDir::Filters hiddenFiles = QDir::Files | QDir::Hidden | QDir::System;
        for (const QFileInfo &left : QDir(folder).entryInfoList({QStringLiteral(".retterum-*")}, hiddenFiles))
            QVERIFY2(left.isSymLink(), qPrintable(left.fileName()));
    }

    // A file the user had there keeps its mode; a new one gets the mode the umask gives.
    void modeOfTheWrittenFile()
    {
        TestDataRoot root;
        const QString kept = root.file(QStringLiteral("kept.html"));
        root.writeBytes(QStringLiteral("kept.html"), "old");
        QCOMPARE(::chmod(QFile::encodeName(kept).constData(), 0604), 0);
        const QString fresh = root.file(QStringLiteral("fresh.html"));
        const mode_t mask = ::umask(027);
        for (const QString &target : {kept, fresh})
            QCOMPARE(write(Writer::Share, root, target), QString());
        ::umask(mask);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0604));
        QCOMPARE(::stat(QFile::encodeName(fresh).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
    }
};

QTEST_MAIN(TestPlantedLinks)
#include "tst_plantedlinks.moc"
