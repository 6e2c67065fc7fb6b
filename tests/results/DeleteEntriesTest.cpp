#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTest>
#include <QTimer>
#include <string>
#include <vector>

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

ResultRow row(const test::TempTree& tree, const std::string& relative, bool isFolder = false)
{
    const size_t slash = relative.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : relative.substr(0, slash + 1);
    return ResultRow{relative.substr(folder.size()), tree.path() + "/" + folder, {}, {}, {}, {}, isFolder};
}

std::vector<size_t> deleteConfirmed(const std::vector<ResultRow>& rows)
{
    test::answerMessage("cmd1");
    DesktopResultsOperations operations;
    return operations.deleteEntries(nullptr, rows);
}

// A file system mounted for the test, taken down again at its end.
struct Mount {
    std::string at;
    bool ok;
    Mount(const std::string& where, const char* type, const char* source, unsigned long flags)
        : at(where), ok(::mount(source, where.c_str(), type, flags, nullptr) == 0)
    {
    }
    ~Mount()
    {
        if (ok)
            ::umount2(at.c_str(), MNT_DETACH);
    }
};

} // namespace

class DeleteEntriesTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { frmMessages::instance().hide(); }

    void cancelChangesNothing()
    {
        test::TempTree tree;
        tree.file("keep.txt", "x");
        test::answerMessage("cmd3");
        DesktopResultsOperations operations;
        QVERIFY(operations.deleteEntries(nullptr, {row(tree, "keep.txt")}).empty());
        QVERIFY(exists(tree.at("keep.txt")));
    }

    // Every row's fate in one tree, and nothing outside the rows touched.
    void deletesOnlyWhatTheRowsName()
    {
        test::TempTree tree, outside;
        outside.file("target/precious.txt", "keep me");
        const std::string longName = std::string(251, 'n') + ".txt";
        const std::string oddName = "new\nline|pipe \xff\xfe.txt";
        for (const std::string& name : {std::string("plain.txt"), longName, oddName})
            tree.file(name, "x");
        tree.file("clean/a.txt");
        tree.file("clean/deep/b.txt");
        tree.symlink("/", "clean/root");
        tree.symlink(std::getenv("HOME"), "clean/home");
        tree.symlink(outside.at("target"), "clean/outside");
        tree.file("mixed/gone.txt");
        tree.file("mixed/locked/readonly.txt");
        tree.chmod("mixed/locked/readonly.txt", 0444);
        tree.file("readonly.txt");
        tree.chmod("readonly.txt", 0444);
        tree.file("closed/inside.txt");
        tree.chmod("closed", 0555);
        tree.file("was-a-file/content.txt");
        tree.file("was-a-folder");
        tree.symlink(outside.at("target"), "now-a-link");
        // A moved row's path names nothing, not even relative to where we run.
        tree.file("MOVED PLEASE RE-SEARCH/x");
        QDir::setCurrent(QString::fromStdString(tree.path()));

        const std::vector<ResultRow> rows = {
            row(tree, "plain.txt"),
            row(tree, longName),
            row(tree, oddName),
            row(tree, "clean", true),
            row(tree, "mixed", true),
            row(tree, "readonly.txt"),
            row(tree, "closed", true),
            row(tree, "vanished.txt"),
            row(tree, "was-a-file"),
            row(tree, "was-a-folder", true),
            row(tree, "now-a-link", true),
            row(tree, "closed/inside.txt"),
            {"x", "MOVED PLEASE RE-SEARCH", {}, {}, {}, {}, false},
        };
        const std::vector<size_t> gone = deleteConfirmed(rows);
        QCOMPARE(gone, (std::vector<size_t>{0, 1, 2, 3, 7, 10}));

        for (const char* stays : {"mixed/locked/readonly.txt", "readonly.txt", "closed/inside.txt",
                                  "was-a-file/content.txt", "was-a-folder", "MOVED PLEASE RE-SEARCH/x"})
            QVERIFY2(exists(tree.at(stays)), stays);
        for (const char* removed : {"plain.txt", "clean", "mixed/gone.txt", "now-a-link"})
            QVERIFY2(!exists(tree.at(removed)), removed);
        QCOMPARE(test::readWholeFile(outside.at("target/precious.txt")), std::string("keep me"));
        QVERIFY(exists(std::string(std::getenv("HOME")) + "/."));
        QCOMPARE(
            test::shownMessage(),
            QString("I could not delete 7 of the selected files and folders.  They are write-protected, hold "
                    "another drive, or changed since the search, so they stay in the results list."));
    }

    void mountPointsAreNeverEntered()
    {
        test::TempTree tree, outside;
        outside.file("bound/precious.txt", "keep me");
        tree.file("holder/point/on-tmpfs.txt");
        tree.file("holder/beside.txt");
        tree.file("binder/bind/placeholder");
        tree.file("alone/point/x");
        const Mount tmpfs(tree.at("holder/point"), "tmpfs", "none", 0);
        if (!tmpfs.ok)
            QSKIP("Mounting needs root (CI runs these as root); the mount point cases were not run.");
        test::writeWholeFile(tree.at("holder/point/on-tmpfs.txt"), "on tmpfs");
        const Mount bind(tree.at("binder/bind"), nullptr, outside.at("bound").c_str(), MS_BIND);
        const Mount alone(tree.at("alone/point"), "tmpfs", "none", 0);
        test::writeWholeFile(tree.at("alone/point/x"), "x");

        const std::vector<size_t> gone = deleteConfirmed(
            {row(tree, "holder", true), row(tree, "binder", true), row(tree, "alone/point", true)});
        QVERIFY(gone.empty());
        QVERIFY(!exists(tree.at("holder/beside.txt")));
        QCOMPARE(test::readWholeFile(tree.at("holder/point/on-tmpfs.txt")), std::string("on tmpfs"));
        QCOMPARE(test::readWholeFile(outside.at("bound/precious.txt")), std::string("keep me"));
        QVERIFY(exists(tree.at("alone/point/x")));
        QCOMPARE(test::shownMessage().left(30), QString("I could not delete 3 of the se"));
    }

    // Not timed here (speed is the benchmarks' business): every row goes,
    // and the event loop keeps running during the delete.
    void tenThousandFilesInOneFolder()
    {
        test::TempTree tree;
        std::vector<ResultRow> rows;
        for (int i = 0; i < 10000; ++i) {
            const std::string name = "file-" + std::to_string(i);
            tree.file("many/" + name);
            rows.push_back(row(tree, "many/" + name));
        }
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(0);
        const std::vector<size_t> gone = deleteConfirmed(rows);
        timer.stop();
        QCOMPARE(gone.size(), rows.size());
        QCOMPARE(gone.back(), rows.size() - 1);
        QVERIFY(ticks > 5);
        QVERIFY(!exists(tree.at("many/file-0")) && !exists(tree.at("many/file-9999")));
        QVERIFY(test::shownMessage().isEmpty());
    }
};

QTEST_MAIN(DeleteEntriesTest)
#include "DeleteEntriesTest.moc"
