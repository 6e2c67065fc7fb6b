#include "index/IndexBuilder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <filesystem>

#include "support/IndexPair.h"
#include "support/RecordingReporter.h"
#include "support/RecordingView.h"

using namespace zephrix;
using namespace zephrix::test;
using Texts = std::vector<std::string>;

namespace {

const std::string OldEntries = "1/1/2020\r\nold.txt|0|1|1/1/2020|1/1/2020\r\n";

// Builds of a temporary tree into an indexes folder of their own, where an
// older pair of the same root waits to be replaced.
struct BuildSetup {
    TempTree indexes, tree;
    RecordingReporter reporter;
    RecordingView view;
    IndexContext ctx;
    std::string root = tree.path() + "/";
    int yields = 0;

    BuildSetup()
    {
        ctx.indexesDir = indexes.path();
        ctx.errors = &reporter;
        ctx.indexingView = &view;
        ctx.yield = [this] { ++yields; };
        writeWholeFile(entriesFile(indexes.path(), root), OldEntries);
        writeWholeFile(foldersFile(indexes.path(), root), "1/1/2020\r\n" + root + "\r\n");
    }
    Texts indexFiles() const
    {
        Texts names;
        for (const auto& entry : std::filesystem::directory_iterator(indexes.path()))
            if (entry.path().extension() != ".lock")
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    bool oldPairIsThere() const
    {
        return readWholeFile(entriesFile(indexes.path(), root)) == OldEntries && indexFiles().size() == 2;
    }
    void files(const std::string& folder, int count) const
    {
        for (int i = 0; i < count; ++i)
            tree.file(folder + "f" + std::to_string(i), "");
    }
};

struct Builder : ::testing::Test, BuildSetup {};

} // namespace

TEST_F(Builder, DeeperFoldersShowOnlyOnARefreshBoundary)
{
    // The root's subfolders always show; a deeper one when the number of
    // files written before it was found is a multiple of 100.
    for (const auto& [rootFiles, deeperShown] :
         {std::pair{0, true}, {50, false}, {100, true}, {150, false}}) {
        tree.remove("");
        files("", rootFiles);
        tree.dir("a/a-sub");
        view.calls.clear();
        IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
        Texts shown = {root + "a/"};
        if (deeperShown)
            shown.push_back(root + "a/a-sub/");
        EXPECT_EQ(view.all("frmIndexing.lblStatus"), shown) << rootFiles;
    }
}

TEST_F(Builder, CancelTakesEffectOnlyAtItsChecks)
{
    struct Case {
        const char* moment;
        std::function<void(BuildSetup&)> arm;
        Texts filesShown;
    } cases[] = {
        // Nothing starts, not even the window, and the old pair stays.
        {"before the start", [](BuildSetup& b) { b.ctx.CancelIndexing = true; }, {}},
        // The root's files finish although Cancel came during them.
        {"during the root's files",
         [](BuildSetup& b) { b.ctx.yield = [&b] { b.ctx.CancelIndexing = true; }; },
         {"Files Found: 100", "Files Found: 200"}},
        // After the root's subfolders are listed, none of its files is written.
        {"while the root's subfolders are listed",
         [](BuildSetup& b) {
             b.view.onCall = [&b](const std::string& call) {
                 b.ctx.CancelIndexing |= call.starts_with("frmIndexing.lblStatus:");
             };
         },
         {}},
        // Folder 1's files finish; folder 2 is not opened.
        {"before a later folder",
         [](BuildSetup& b) { b.ctx.yield = [&b] { b.ctx.CancelIndexing |= ++b.yields == 3; }; },
         {"Files Found: 100", "Files Found: 200", "Files Found: 300", "Files Found: 400"}},
    };
    files("", 250);
    files("one/", 150);
    files("one/two/", 100);
    for (const auto& c : cases) {
        BuildSetup b;
        std::filesystem::copy(tree.path(), b.tree.path(), std::filesystem::copy_options::recursive);
        c.arm(b);
        IndexDrive(b.ctx, b.root, IndexMode::Drive, IndexingWindow::Show);
        EXPECT_EQ(b.view.all("frmIndexing.lblFilesFound"), c.filesShown) << c.moment;
        EXPECT_TRUE(b.reporter.reports.empty()) << c.moment;
        if (c.filesShown.empty() && b.view.calls.empty()) {
            EXPECT_TRUE(b.oldPairIsThere()) << c.moment;
            continue;
        }
        // No index at all: neither the new pair, nor its temporaries, nor the old one.
        EXPECT_EQ(b.indexFiles(), Texts{}) << c.moment;
        EXPECT_EQ(b.view.last("frmIndexing"), "off") << c.moment;
    }
}

TEST_F(Builder, AFailedStartIsReportedAndLeavesTheOldPair)
{
    files("", 3);
    struct Case {
        std::string root, indexesDir;
        int number;
    } cases[] = {{tree.at("missing/"), indexes.path(), ENOENT},
                 {root, indexes.at("not-there"), ENOENT},
                 {"relative/", indexes.path(), 5}};
    for (const auto& c : cases) {
        reporter.reports.clear();
        ctx.indexesDir = c.indexesDir;
        IndexDrive(ctx, c.root, IndexMode::Drive, IndexingWindow::Show);
        ASSERT_EQ(reporter.reports.size(), 1u) << c.root;
        EXPECT_EQ(reporter.reports[0].location, 11053);
        EXPECT_EQ(reporter.reports[0].number, c.number) << c.root;
        EXPECT_TRUE(reporter.reports[0].description.ends_with(" - " + c.root))
            << reporter.reports[0].description;
        EXPECT_EQ(view.last("frmIndexing"), "off") << c.root;
    }
    EXPECT_TRUE(oldPairIsThere());
}

TEST_F(Builder, AFullDiskLeavesTheOldPairAndNoTemporaries)
{
    // A file size limit makes the write fail half-way, as a full disk would.
    for (int i = 0; i < 2000; ++i)
        tree.file("a-rather-long-file-name-to-fill-the-entries-file-" + std::to_string(i));
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
        ::_exit(reporter.reports.size() == 1 && reporter.reports[0].number == EFBIG &&
                        reporter.reports[0].location == 11053
                    ? 0
                    : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(oldPairIsThere());
}

TEST_F(Builder, AHalfReplacedPairIsRemovedRatherThanMixed)
{
    // A folder in the way makes the entries file's rename fail after the
    // folders file was replaced: the old entries would number the new folders.
    files("", 3);
    std::filesystem::remove(entriesFile(indexes.path(), root));
    std::filesystem::create_directory(entriesFile(indexes.path(), root));
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0].location, 11053);
    EXPECT_EQ(indexFiles(), Texts{std::filesystem::path(entriesFile(indexes.path(), root)).filename()});
}

TEST_F(Builder, FoldersAndFilesThatVanishDuringTheWalkAreSkipped)
{
    files("", 150);
    tree.file("vanishing/gone.txt");
    tree.file("vanishing/below/gone-too.txt");
    tree.file("staying/kept.txt");
    // The folder goes as soon as it is found; the root's remaining files go at
    // the first refresh, after 100 of them were written.
    view.onCall = [&](const std::string& call) {
        if (call == "frmIndexing.lblStatus:" + root + "vanishing/")
            tree.remove("vanishing");
    };
    ctx.yield = [&] {
        for (int i = 0; i < 150; ++i)
            ::unlink(tree.at("f" + std::to_string(i)).c_str());
    };
    IndexDrive(ctx, root, IndexMode::Drive, IndexingWindow::Quiet);
    EXPECT_TRUE(reporter.reports.empty());
    const StoredPair pair = readStoredPair(indexes.path(), root);
    EXPECT_EQ(std::set<std::string>(pair.folders.begin(), pair.folders.end()),
              (std::set<std::string>{root, root + "vanishing/", root + "staying/"}));
    ASSERT_EQ(pair.entries.size(), 101u);
    EXPECT_EQ(pair.entries.back().name, "kept.txt");
}
