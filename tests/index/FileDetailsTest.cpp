#include "index/FileDetails.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/DateText.h"
#include "core/ErrorCodes.h"
#include "index/AsNobody.h"
#include "index/RecordingReporter.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;
using namespace zephrix::indextest;

namespace {

std::string expectedCreated(const std::string& path)
{
    struct statx details {};
    ::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_MTIME | STATX_BTIME, &details);
    const bool birth = (details.stx_mask & STATX_BTIME) && details.stx_btime.tv_sec != 0;
    return formatDateText(birth ? details.stx_btime.tv_sec : details.stx_mtime.tv_sec);
}

} // namespace

TEST(GetFileDetails, GivesSizeCreatedAndModified)
{
    TempTree tree;
    RecordingReporter reporter;
    tree.file("note.txt", "twelve bytes");
    tree.touch("note.txt", 1109781010);
    tree.symlink("note.txt", "link");
    struct Case {
        std::string path;
        std::string size;
    } cases[] = {{tree.at("note.txt"), "12"}, {tree.at("link"), "8"}};
    for (const auto& c : cases) {
        std::string modified;
        struct stat st {};
        ::lstat(c.path.c_str(), &st);
        EXPECT_EQ(GetFileDetails(c.path, &reporter),
                  c.size + "|" + expectedCreated(c.path) + "|" + formatDateText(st.st_mtime));
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(GetFileDetails, AVanishedFileIsDeleted)
{
    TempTree tree;
    RecordingReporter reporter;
    tree.file("gone.txt");
    tree.file("plain");
    tree.remove("gone.txt");
    for (const std::string& path : {tree.at("gone.txt"), tree.at("plain/below.txt"), tree.at("no/such.txt")})
        EXPECT_EQ(GetFileDetails(path, &reporter), "|Deleted|Deleted") << path;
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(GetFileDetails, OtherFailuresAreReportedAndGiveNothing)
{
    TempTree tree;
    tree.file("closed/inside.txt");
    tree.chmod("closed", 0700);
    ::chmod(tree.path().c_str(), 0755);
    const int result = runAsNobody([&] {
        RecordingReporter reporter;
        const std::string details = GetFileDetails(tree.at("closed/inside.txt"), &reporter);
        return details.empty() && reporter.reports.size() == 1 &&
                       reporter.reports[0].location == Locations::GetFileDetails &&
                       reporter.reports[0].number == EACCES
                   ? 0
                   : 1;
    });
    EXPECT_EQ(result, 0);
}
