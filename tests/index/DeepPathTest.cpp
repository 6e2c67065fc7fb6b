// A tree deeper than PATH_MAX (relative mkdirat): indexed, searched, found, details read, text scanned.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

#include "core/FileDescriptor.h"
#include "index/FileDetails.h"
#include "index/IndexBuilder.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

TEST(DeepPath, EveryFileOfATreeDeeperThanAPathIsIndexedAndFound)
{
    SearchHarness h;
    TempTree tree;
    const std::string root = tree.path() + "/";
    std::set<std::string> files;
    // `levels` nested folders `name`, a file in every `every`-th and the last.
    auto chain = [&](const std::string& name, int levels, int every) {
        FileDescriptor at(::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        std::string path = root;
        for (int level = 1; level <= levels; ++level) {
            ASSERT_EQ(::mkdirat(at.get(), name.c_str(), 0755), 0) << level;
            at.reset(::openat(at.get(), name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            path += name + "/";
            if (level % every != 0 && level != levels)
                continue;
            const std::string file = "f" + std::to_string(level) + ".txt";
            FileDescriptor out(::openat(at.get(), file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
            ASSERT_EQ(::write(out.get(), "deep", 4), 4);
            files.insert(path + file);
        }
        ASSERT_GT(path.size(), 4096u);
    };
    chain("d", 2500, 100);
    chain(std::string(250, 'w'), 20, 1);
    ASSERT_EQ(IndexDrive(h.ctx, root, IndexMode::Drive, IndexingWindow::Quiet).outcome, BuildOutcome::Built);

    h.request({root}, "", "txt");
    h.view.options.ResultsLimit = true;
    h.search();
    std::set<std::string> found;
    for (const ResultRow& row : h.view.rows) {
        found.insert(row.fullPath());
        EXPECT_EQ(row.size, 4u) << row.fullPath();
    }
    EXPECT_EQ(found, files);

    const std::string bottom = *std::find_if(
        files.begin(), files.end(), [](const std::string& path) { return path.ends_with("/f2500.txt"); });
    EXPECT_EQ(GetFileDetails(bottom, &h.errors).substr(0, 2), "4|");
    h.view.criteria.searchInsideChecked = true;
    h.view.criteria.insideText = "deep";
    h.view.criteria.name = "f2500";
    h.search();
    ASSERT_EQ(h.view.rows.size(), 1u);
    EXPECT_EQ(h.view.rows[0].fullPath(), bottom);

    // Folder rows need their folders looked up too.
    h.request({root}, "d");
    h.view.options.ShowFolders = true;
    h.view.criteria.nameMatch = NameMatch::Exactly;
    h.search();
    EXPECT_EQ(int(h.view.rows.size()), 2500);
    EXPECT_TRUE(h.errors.reports.empty());
    // std::filesystem cannot remove what it cannot name.
    EXPECT_EQ(std::system(("rm -rf '" + root + "d' '" + root + std::string(250, 'w') + "'").c_str()), 0);
}
