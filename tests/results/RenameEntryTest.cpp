#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <string>

#include "results/DesktopResultsOperations.h"
#include "shell/StandIns.h"
#include "support/TempTree.h"

using namespace zephrix;

namespace {

bool exists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

const QString Exists = "A file with this name already exist.";
const QString Slash = "A name can not contain the character \"/\".  Please choose another name.";
const QString Reserved = "\".\" and \"..\" can not be used as names.  Please choose another name.";

} // namespace

class RenameEntryTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { frmMessages::instance().hide(); }

    void rules_data()
    {
        QTest::addColumn<QString>("oldName");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<QByteArray>("newName");
        QTest::addColumn<bool>("renamed");
        QTest::addColumn<QString>("message");
        QTest::newRow("plain") << "Report.doc" << false << QByteArray("summary.doc") << true << QString();
        QTest::newRow("case only") << "Report.doc" << false << QByteArray("report.doc") << true << QString();
        QTest::newRow("folder") << "Folder" << true << QByteArray("Renamed folder") << true << QString();
        QTest::newRow("odd bytes") << "Report.doc" << false << QByteArray("new\nline|\xff.doc") << true
                                   << QString();
        QTest::newRow("unchanged") << "Report.doc" << false << QByteArray("Report.doc") << false << Exists;
        QTest::newRow("existing file") << "Report.doc" << false << QByteArray("other.txt") << false << Exists;
        QTest::newRow("existing folder") << "Report.doc" << false << QByteArray("Folder") << false << Exists;
        QTest::newRow("existing hidden") << "Folder" << true << QByteArray(".hidden") << false << Exists;
        QTest::newRow("dangling link") << "Report.doc" << false << QByteArray("dangling") << false << Exists;
        QTest::newRow("slash") << "Report.doc" << false << QByteArray("a/b") << false << Slash;
        QTest::newRow("dot") << "Report.doc" << false << QByteArray(".") << false << Reserved;
        QTest::newRow("dot dot") << "Folder" << true << QByteArray("..") << false << Reserved;
        QTest::newRow("NUL") << "Report.doc" << false << QByteArray("a\0b", 3) << false
                             << "A name can not contain a NUL character.  Please choose another name.";
        QTest::newRow("256 bytes")
            << "Report.doc" << false << QByteArray(256, 'x') << false
            << "That name is too long: a name can hold at most 255 bytes.  Please choose a "
               "shorter name.";
        QTest::newRow("empty") << "Report.doc" << false << QByteArray() << false << QString();
        QTest::newRow("vanished") << "gone.doc" << false << QByteArray("b.doc") << false
                                  << "I could not find \"%1/gone.doc\" any more.  It may have been moved, "
                                     "renamed or deleted since the search; please search again.";
    }
    void rules()
    {
        QFETCH(QString, oldName);
        QFETCH(bool, isFolder);
        QFETCH(QByteArray, newName);
        QFETCH(bool, renamed);
        QFETCH(QString, message);
        test::TempTree tree;
        tree.file("Report.doc", "report");
        tree.file("other.txt", "other");
        tree.file("Folder/inside.txt");
        tree.file(".hidden", "hidden");
        tree.symlink("nowhere", "dangling");
        const ResultRow row{oldName.toStdString(), tree.path() + "/", {}, {}, {}, {}, isFolder};

        DesktopResultsOperations operations;
        QCOMPARE(operations.renameEntry(nullptr, row, newName.toStdString()), renamed);
        if (message.contains("%1"))
            message = message.arg(QString::fromStdString(tree.path()));
        QCOMPARE(test::shownMessage(), message);
        const std::string newPath = tree.at(newName.toStdString());
        if (renamed) {
            QVERIFY(!exists(tree.at(oldName.toStdString())) ||
                    oldName.compare(newName, Qt::CaseInsensitive) == 0);
            QVERIFY(exists(newPath));
        }
        // Nothing that was there before lost its content.
        QCOMPARE(test::readWholeFile(tree.at(".hidden")), std::string("hidden"));
        QCOMPARE(test::readWholeFile(tree.at("other.txt")), std::string("other"));
        QVERIFY(exists(renamed && isFolder ? newPath + "/inside.txt" : tree.at("Folder/inside.txt")));
    }

    void failureOnDiskIsReported()
    {
        test::TempTree tree;
        tree.file("locked/a.txt");
        // A folder the user cannot write; root writes everywhere, so it gets
        // a read-only mount instead.
        const bool root = ::geteuid() == 0;
        bool mounted = false;
        if (root) {
            mounted = ::mount(tree.at("locked").c_str(), tree.at("locked").c_str(), nullptr, MS_BIND,
                              nullptr) == 0 &&
                      ::mount(nullptr, tree.at("locked").c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                              nullptr) == 0;
            if (!mounted)
                QSKIP("Mounting needs root (CI runs these as root); the failing rename was not tried.");
        } else {
            tree.chmod("locked", 0555);
        }
        DesktopResultsOperations operations;
        const bool renamed = operations.renameEntry(
            nullptr, {"a.txt", tree.at("locked") + "/", {}, {}, {}, {}, false}, "b.txt");
        if (mounted)
            ::umount2(tree.at("locked").c_str(), MNT_DETACH);
        QVERIFY(!renamed);
        QVERIFY(exists(tree.at("locked/a.txt")));
        QVERIFY2(test::shownMessage().startsWith("I could not rename \"a.txt\" to \"b.txt\": "),
                 qPrintable(test::shownMessage()));
    }
};

QTEST_MAIN(RenameEntryTest)
#include "RenameEntryTest.moc"
