#include "index/IndexBuilder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include "core/ErrorCodes.h"
#include "index/IndexFormat.h"
#include "index/IndexLoader.h"
#include "index/RecordingReporter.h"
#include "index/RecordingView.h"
#include "index/TreeIndexCheck.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;
using namespace zephrix::indextest;

namespace {

struct BuilderFixture : ::testing::Test {
    TempTree indexes;
    TempTree tree;
    RecordingReporter reporter;
    RecordingView view;
    IndexContext ctx;
    std::string root;
    int yields = 0;

    BuilderFixture()
    {
        ctx.indexesDir = indexes.path();
        ctx.errors = &reporter;
        ctx.indexingView = &view;
        ctx.yield = [this] { ++yields; };
        root = tree.path() + "/";
    }

    std::string stem() const { return *IndexFormat::stemOf(root); }
    std::string entriesPath() const { return indexes.at(stem() + ".idx"); }
    std::string foldersPath() const { return indexes.at(stem() + "paths.idx"); }
    StoredPair stored() const { return readStoredPair(entriesPath(), foldersPath()); }

    // Pair files and temporaries; the lock file stays for good.
    std::vector<std::string> indexFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(indexes.path()))
            if (entry.path().extension() != IndexFormat::LockSuffix)
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void writeOldPair()
    {
        writeWholeFile(entriesPath(), "1/1/2020\r\nold.txt|0|1|1/1/2020|1/1/2020\r\n");
        writeWholeFile(foldersPath(), "1/1/2020\r\n" + root + "\r\n");
    }
    void expectOldPair() const
    {
        EXPECT_EQ(readWholeFile(entriesPath()), "1/1/2020\r\nold.txt|0|1|1/1/2020|1/1/2020\r\n");
        EXPECT_EQ(readWholeFile(foldersPath()), "1/1/2020\r\n" + root + "\r\n");
    }
    void files(const std::string& folder, int count) const
    {
        for (int i = 0; i < count; ++i)
            tree.file(folder + "f" + std::to_string(i), "");
    }
};

} // namespace

// --- what a build writes ----------------------------------------------------

TEST_F(BuilderFixture, ARootWithoutSubfoldersHasTwoFolderLines)
{
    files("", 3);
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    const StoredPair pair = stored();
    EXPECT_EQ(pair.folders, std::vector<std::string>{root});
    ASSERT_EQ(pair.entries.size(), 3u);
    for (const auto& entry : pair.entries)
        EXPECT_EQ(entry.folder, 0u);
}

TEST_F(BuilderFixture, AnEmptyTreeHasOnlyTheStampAndTheRoot)
{
    tree.dir("only/folders");
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    const StoredPair pair = stored();
    EXPECT_TRUE(pair.entries.empty());
    EXPECT_EQ(pair.folders, (std::vector<std::string>{root, root + "only/", root + "only/folders/"}));
    EXPECT_EQ(readWholeFile(entriesPath()), pair.entriesStamp + "\r\n");
}

TEST_F(BuilderFixture, TheFolderPairLeavesTheDrivePairAlone)
{
    files("", 2);
    writeOldPair();
    IndexDrive(ctx, root, IndexMode::Folder, IndexingWindow::Quiet);
    expectOldPair();
    const StoredPair pair = readStoredPair(indexes.at("temp.idx"), indexes.at("temppaths.idx"));
    EXPECT_EQ(pair.folders, std::vector<std::string>{root});
    EXPECT_EQ(pair.entries.size(), 2u);
}

TEST_F(BuilderFixture, ALoadedPairGivesBackTheNames)
{
    buildAwkwardTree(tree);
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    ASSERT_TRUE(LoadIndex(ctx, root, IndexMode::Drive));
    std::set<std::string> paths;
    for (size_t i = 0; i < ctx.index.entryCount(); ++i) {
        const IndexEntry entry = ctx.index.entry(i);
        paths.insert(std::string(ctx.index.folder(entry.folderIndex)) + std::string(entry.name));
    }
    for (const char* name : {"pipe|name.txt", "100% done", "%7C not an escape", "cr\rin name", "lf\nin name",
                             "  blanks around  ", "bad\xff\xfeutf8.bin", ".hidden", "we|ird%dir\n/inner.txt"})
        EXPECT_EQ(paths.count(root + name), 1u) << name;
}

// --- mounts and closed folders --------------------------------------------

TEST_F(BuilderFixture, OtherMountsAreNotEntered)
{
    tree.file("outer.txt");
    tree.dir("mounted");
    if (::mount("zephrix-test", tree.at("mounted").c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    tree.file("mounted/inner.txt", "x");
    tree.dir("mounted/below");
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    ::umount2(tree.at("mounted").c_str(), MNT_DETACH);

    const StoredPair pair = stored();
    EXPECT_EQ(pair.folders, (std::vector<std::string>{root, root + "mounted/"}));
    ASSERT_EQ(pair.entries.size(), 1u);
    EXPECT_EQ(pair.entries[0].name, "outer.txt");
}

// --- the indexing window's labels -------------------------------------------

TEST_F(BuilderFixture, CountersShowEveryHundredthFileOnly)
{
    files("", 250);
    tree.dir("sub");
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Show);
    EXPECT_EQ(view.calls.front(), "show");
    EXPECT_EQ(view.calls[1], "path:Indexing: " + root);
    EXPECT_EQ(view.callsStartingWith("files:"),
              (std::vector<std::string>{"files:Files Found: 100", "files:Files Found: 200"}));
    EXPECT_EQ(view.callsStartingWith("dirs:"),
              (std::vector<std::string>{"dirs:Directories Found: 2", "dirs:Directories Found: 2"}));
    EXPECT_EQ(view.callsStartingWith("status:"), std::vector<std::string>{"status:" + root + "sub/"});
    EXPECT_EQ(view.calls.back(), "hide");
    EXPECT_EQ(yields, 2);
}

TEST_F(BuilderFixture, DeeperFoldersShowOnlyOnARefreshBoundary)
{
    // The root's subfolders always show; a deeper one only when the count of
    // files written before its folder is listed is a multiple of 100.
    const std::pair<int, bool> cases[] = {{0, true}, {50, false}, {100, true}, {150, false}};
    for (const auto& [rootFiles, deeperShown] : cases) {
        SCOPED_TRACE(rootFiles);
        tree.remove("");
        files("", rootFiles);
        tree.dir("a/a-sub");
        view.calls.clear();
        IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
        std::vector<std::string> shown{"status:" + root + "a/"};
        if (deeperShown)
            shown.push_back("status:" + root + "a/a-sub/");
        EXPECT_EQ(view.callsStartingWith("status:"), shown);
    }
}

TEST_F(BuilderFixture, QuietBuildsDoNotShowTheWindowButUpdateAndHideIt)
{
    files("", 100);
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_TRUE(view.callsStartingWith("show").empty());
    EXPECT_EQ(view.callsStartingWith("files:"), std::vector<std::string>{"files:Files Found: 100"});
    EXPECT_EQ(view.calls.back(), "hide");
}

// --- cancel -----------------------------------------------------------------

TEST_F(BuilderFixture, CancelTakesEffectOnlyAtItsChecks)
{
    struct Case {
        const char* moment;
        std::function<void(BuilderFixture&)> arm;
        std::vector<std::string> filesShown;
        bool keepsOldPair = false;
    } cases[] = {
        // Nothing started: not even the window, and the old pair stays.
        {"before the start", [](BuilderFixture& f) { f.ctx.CancelIndexing = 1; }, {}, true},
        // The root's files finish even though Cancel came during them.
        {"during the root's files",
         [](BuilderFixture& f) {
             f.ctx.yield = [&f] {
                 ++f.yields;
                 f.ctx.CancelIndexing = 1;
             };
         },
         {"files:Files Found: 100", "files:Files Found: 200"}},
        // After the root's subfolders are listed, none of its files is written.
        {"while the root's subfolders are listed",
         [](BuilderFixture& f) {
             f.view.onCall = [&f](const std::string& call) {
                 if (call.rfind("status:", 0) == 0)
                     f.ctx.CancelIndexing = 1;
             };
         },
         {}},
        // Cancel during folder 1's files lets them finish and stops before
        // folder 2 (with 100 more files) is opened.
        {"before a later folder",
         [](BuilderFixture& f) {
             f.ctx.yield = [&f] {
                 ++f.yields;
                 if (f.yields == 3)
                     f.ctx.CancelIndexing = 1;
             };
         },
         {"files:Files Found: 100", "files:Files Found: 200", "files:Files Found: 300",
          "files:Files Found: 400"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moment);
        tree.remove("");
        std::filesystem::create_directories(tree.path());
        files("", 250);
        files("one/", 150);
        files("one/two/", 100);
        writeOldPair();
        view.calls.clear();
        view.onCall = nullptr;
        yields = 0;
        ctx.yield = [this] { ++yields; };
        ctx.CancelIndexing = 0;
        c.arm(*this);

        IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Show);

        EXPECT_EQ(view.callsStartingWith("files:"), c.filesShown);
        EXPECT_TRUE(reporter.reports.empty());
        if (c.keepsOldPair) {
            expectOldPair();
            EXPECT_TRUE(view.calls.empty());
            EXPECT_EQ(indexFiles().size(), 2u);
            continue;
        }
        // No index at all: neither the new pair, nor its temporaries, nor the old one.
        EXPECT_TRUE(indexFiles().empty()) << (indexFiles().empty() ? "" : indexFiles()[0]);
        EXPECT_EQ(view.calls.back(), "hide");
    }
}

// --- failures ---------------------------------------------------------------

TEST_F(BuilderFixture, AFailedBuildReportsAndLeavesTheOldPair)
{
    files("", 3);
    writeOldPair();
    root = tree.at("missing/");
    writeOldPair();
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Show);
    expectOldPair();
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, Locations::IndexDrive);
    EXPECT_EQ(reporter.reports[0].number, ENOENT);
    const std::string& text = reporter.reports[0].description;
    EXPECT_EQ(text.substr(text.size() - root.size() - 3), " - " + root);
    EXPECT_EQ(view.calls.back(), "hide");
    EXPECT_EQ(indexFiles().size(), 4u); // both old pairs, no temporaries
}

TEST_F(BuilderFixture, AMissingIndexesFolderIsAFailure)
{
    files("", 3);
    ctx.indexesDir = indexes.at("not-there");
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].number, ENOENT);
}

TEST_F(BuilderFixture, ARootThatIsNotAbsoluteIsRefused)
{
    IndexDrive(ctx, "relative/", IndexMode::Drive, IndexingWindow::Quiet);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].number, ErrorNumbers::InvalidArgument);
    EXPECT_TRUE(indexFiles().empty());
}

TEST_F(BuilderFixture, AWriteThatFailsLeavesTheOldPairAndNoTemporaries)
{
    // A file size limit makes the write fail half-way, as a full disk would.
    for (int i = 0; i < 2000; ++i)
        tree.file("a-rather-long-file-name-to-fill-the-entries-file-" + std::to_string(i));
    writeOldPair();
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            64 * 1024, 64 * 1024
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        RecordingReporter childReporter;
        ctx.errors = &childReporter;
        IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
        const bool ok = childReporter.reports.size() == 1 && childReporter.reports[0].number == EFBIG &&
                        childReporter.reports[0].location == Locations::IndexDrive;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    expectOldPair();
    EXPECT_EQ(indexFiles().size(), 2u);
}

TEST_F(BuilderFixture, AHalfReplacedPairIsRemovedRatherThanMixed)
{
    // A folder in the way makes the entries file's rename fail after the
    // folders file was already replaced: the old entries would then number
    // the new folders.
    files("", 3);
    writeWholeFile(foldersPath(), "1/1/2020\r\n" + root + "\r\n");
    std::filesystem::create_directory(entriesPath());
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, Locations::IndexDrive);
    EXPECT_FALSE(std::filesystem::exists(foldersPath()));
    EXPECT_EQ(indexFiles(), std::vector<std::string>{stem() + ".idx"}); // the folder, no temporaries
}

TEST_F(BuilderFixture, FoldersAndFilesThatVanishDuringTheWalkAreSkipped)
{
    files("", 150);
    tree.file("vanishing/gone.txt");
    tree.file("vanishing/below/gone-too.txt");
    tree.file("staying/kept.txt");
    // The folder goes as soon as it has been found; the root's remaining
    // files go at the first refresh, after 100 of them were written.
    view.onCall = [&](const std::string& call) {
        if (call == "status:" + root + "vanishing/")
            tree.remove("vanishing");
    };
    ctx.yield = [&] {
        for (int i = 0; i < 150; ++i)
            ::unlink(tree.at("f" + std::to_string(i)).c_str());
    };
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_TRUE(reporter.reports.empty());

    const StoredPair pair = stored();
    std::set<std::string> folders(pair.folders.begin(), pair.folders.end());
    EXPECT_EQ(folders, (std::set<std::string>{root, root + "vanishing/", root + "staying/"}));
    size_t rootFiles = 0;
    for (const auto& entry : pair.entries) {
        rootFiles += entry.folder == 0;
        EXPECT_NE(entry.name, "gone.txt");
    }
    EXPECT_EQ(rootFiles, 100u);
    EXPECT_EQ(pair.entries.size(), 101u);
}
