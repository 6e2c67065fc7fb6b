#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "results/DesktopResultsOperations.h"
#include "shell/StandIns.h"
#include "support/TempTree.h"

using namespace zephrix;
using test::readWholeFile;
using test::shownMessage;
using test::TempTree;
namespace fs = std::filesystem;

namespace {

const auto exists = [](const std::string& path) { return fs::exists(fs::symlink_status(path)); };

ResultRow row(const TempTree& tree, const std::string& relative, bool isFolder = false)
{
    const size_t slash = relative.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : relative.substr(0, slash + 1);
    return ResultRow{relative.substr(folder.size()), tree.path() + "/" + folder, {}, {}, {}, {}, isFolder};
}

// A file system mounted for the test (root only), taken down again at its end.
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

const QString Exists = "A file with this name already exist.";
const QString Slash = "A name can not contain the character \"/\".  Please choose another name.";
const QString Reserved = "\".\" and \"..\" can not be used as names.  Please choose another name.";
const QString Nul = "A name can not contain a NUL character.  Please choose another name.";
const QString TooLong =
    "That name is too long: a name can hold at most 255 bytes.  Please choose a shorter name.";
const QString Gone = "I could not find \"%1/gone.doc\" any more.  It may have been moved, renamed or deleted "
                     "since the search; please search again.";

struct RenameCase {
    const char* name;
    const char* oldName;
    bool isFolder;
    QByteArray newName;
    bool renamed;
    QString message;
};

// In a folder holding Report.doc, other.txt, Folder/, .hidden and a dangling link.
const RenameCase renameCases[] = {
    {"plain", "Report.doc", false, "summary.doc", true, {}},
    {"case only", "Report.doc", false, "report.doc", true, {}},
    {"folder", "Folder", true, "Renamed folder", true, {}},
    {"odd bytes", "Report.doc", false, "new\nline|\xff.doc", true, {}},
    {"unchanged", "Report.doc", false, "Report.doc", false, Exists},
    {"existing file", "Report.doc", false, "other.txt", false, Exists},
    {"existing hidden", "Folder", true, ".hidden", false, Exists},
    {"dangling link", "Report.doc", false, "dangling", false, Exists},
    {"slash", "Report.doc", false, "a/b", false, Slash},
    {"dot", "Report.doc", false, ".", false, Reserved},
    {"NUL", "Report.doc", false, QByteArray("a\0b", 3), false, Nul},
    {"256 bytes", "Report.doc", false, QByteArray(256, 'x'), false, TooLong},
    {"empty", "Report.doc", false, "", false, {}},
    {"vanished", "gone.doc", false, "b.doc", false, Gone},
};

} // namespace

// Rename and delete on disk, as the results list asks for them.
class EntryChangesTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { frmMessages::instance().hide(); }

    void renameNeverReplaces_data()
    {
        QTest::addColumn<RenameCase>("c");
        for (const RenameCase& c : renameCases)
            QTest::newRow(c.name) << c;
    }
    void renameNeverReplaces()
    {
        QFETCH(RenameCase, c);
        TempTree tree;
        tree.file("Report.doc", "report");
        tree.file("other.txt", "other");
        tree.file("Folder/inside.txt");
        tree.file(".hidden", "hidden");
        tree.symlink("nowhere", "dangling");
        DesktopResultsOperations operations;
        QCOMPARE(operations.renameEntry(nullptr, row(tree, c.oldName, c.isFolder), c.newName.toStdString()),
                 c.renamed);
        QCOMPARE(shownMessage(), QString(c.message).replace("%1", QString::fromStdString(tree.path())));
        const std::string newPath = tree.at(c.newName.toStdString());
        if (c.renamed) {
            QVERIFY(!exists(tree.at(c.oldName)) || QByteArray(c.oldName).toLower() == c.newName.toLower());
            QVERIFY(exists(newPath));
        }
        // Nothing that was there before lost its content.
        QCOMPARE(readWholeFile(tree.at(".hidden")), std::string("hidden"));
        QCOMPARE(readWholeFile(tree.at("other.txt")), std::string("other"));
        QVERIFY(exists(c.renamed && c.isFolder ? newPath + "/inside.txt" : tree.at("Folder/inside.txt")));
    }

    void renameFailureOnDiskIsReported()
    {
        TempTree tree;
        tree.file("locked/a.txt");
        // A folder nobody can write, root included: a read-only mount.
        const Mount bind(tree.at("locked"), nullptr, tree.at("locked").c_str(), MS_BIND);
        const Mount readOnly(tree.at("locked"), nullptr, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY);
        if (!bind.ok || !readOnly.ok)
            QSKIP("Mounting needs root (CI runs these as root); the failing rename was not tried.");
        DesktopResultsOperations operations;
        QVERIFY(!operations.renameEntry(nullptr, row(tree, "locked/a.txt"), "b.txt"));
        QVERIFY(exists(tree.at("locked/a.txt")));
        QVERIFY2(shownMessage().startsWith("I could not rename \"a.txt\" to \"b.txt\": "),
                 qPrintable(shownMessage()));
    }

    void deleteRemovesOnlyWhatTheRowsName()
    {
        TempTree tree, outside;
        outside.file("target/precious.txt", "keep me");
        const std::string longName = std::string(251, 'n') + ".txt";
        const std::string oddName = "new\nline|pipe \xff\xfe.txt";
        for (const std::string& name : {std::string("plain.txt"), longName, oddName})
            tree.file(name, "x");
        tree.file("clean/a.txt");
        for (int i = 0; i < 4000; ++i) // enough for the windows to be served meanwhile
            tree.file("clean/many/" + std::to_string(i));
        tree.symlink("/", "clean/root");
        tree.symlink(std::getenv("HOME"), "clean/home");
        tree.symlink(outside.at("target"), "clean/outside");
        for (const char* file : {"mixed/gone.txt", "mixed/locked/readonly.txt", "readonly.txt",
                                 "closed/inside.txt", "was-a-file/content.txt", "was-a-folder"})
            tree.file(file);
        for (const auto& [path, mode] :
             {std::pair{"mixed/locked/readonly.txt", 0444}, {"readonly.txt", 0444}, {"closed", 0555}})
            tree.chmod(path, mode);
        tree.symlink(outside.at("target"), "now-a-link");
        // A moved row's path names nothing, not even relative to where we run.
        tree.file("MOVED PLEASE RE-SEARCH/x");
        QDir::setCurrent(QString::fromStdString(tree.path()));

        // clang-format off
        const std::vector<ResultRow> rows = {row(tree, "plain.txt"), row(tree, longName), row(tree, oddName),
            row(tree, "clean", true), row(tree, "mixed", true), row(tree, "readonly.txt"), row(tree, "closed", true),
            row(tree, "vanished.txt"), row(tree, "was-a-file"), row(tree, "was-a-folder", true),
            row(tree, "now-a-link", true), row(tree, "closed/inside.txt"),
            {"x", "MOVED PLEASE RE-SEARCH", {}, {}, {}, {}, false}};
        // clang-format on
        DesktopResultsOperations operations;
        test::answerMessage("cmd3");
        QVERIFY(operations.deleteEntries(nullptr, rows).empty());
        QVERIFY(exists(tree.at("plain.txt")) && exists(tree.at("clean/a.txt")));

        int ticks = 0; // counted once the question is answered
        QTimer timer;
        connect(&timer, &QTimer::timeout,
                [&] { ticks = frmMessages::instance().isVisible() ? 0 : ticks + 1; });
        timer.start(0);
        test::answerMessage("cmd1");
        QCOMPARE(operations.deleteEntries(nullptr, rows), (std::vector<size_t>{0, 1, 2, 3, 7, 10}));
        QVERIFY2(ticks > 10, qPrintable(QString::number(ticks)));
        for (const char* stays : {"mixed/locked/readonly.txt", "readonly.txt", "closed/inside.txt",
                                  "was-a-file/content.txt", "was-a-folder", "MOVED PLEASE RE-SEARCH/x"})
            QVERIFY2(exists(tree.at(stays)), stays);
        for (const char* removed : {"plain.txt", "clean", "mixed/gone.txt", "now-a-link"})
            QVERIFY2(!exists(tree.at(removed)), removed);
        QCOMPARE(readWholeFile(outside.at("target/precious.txt")), std::string("keep me"));
        QVERIFY(exists(std::string(std::getenv("HOME")) + "/."));
        QCOMPARE(shownMessage(), "I could not delete 7 of the selected files and folders.  They are "
                                 "write-protected, hold another drive, or changed since the search, so they "
                                 "stay in the results list.");
    }

    void deleteNeverEntersAMountPoint()
    {
        TempTree tree, outside;
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

        test::answerMessage("cmd1");
        DesktopResultsOperations operations;
        QVERIFY(operations
                    .deleteEntries(nullptr, {row(tree, "holder", true), row(tree, "binder", true),
                                             row(tree, "alone/point", true)})
                    .empty());
        QVERIFY(!exists(tree.at("holder/beside.txt")));
        QCOMPARE(readWholeFile(tree.at("holder/point/on-tmpfs.txt")), std::string("on tmpfs"));
        QCOMPARE(readWholeFile(outside.at("bound/precious.txt")), std::string("keep me"));
        QVERIFY(exists(tree.at("alone/point/x")));
        QCOMPARE(shownMessage().left(30), QString("I could not delete 3 of the se"));
    }
};

QTEST_MAIN(EntryChangesTest)
#include "EntryChangesTest.moc"
