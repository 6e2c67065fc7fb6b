#include "index/FileDetails.h"

#include <gtest/gtest.h>

#include "support/AsNobody.h"
#include "support/IndexPair.h"
#include "support/RecordingReporter.h"

using namespace zephrix;
using namespace zephrix::test;

TEST(GetFileDetails, SizeCreatedAndModifiedOrDeleted)
{
    TempTree tree;
    RecordingReporter reporter;
    const std::time_t before = std::time(nullptr);
    tree.file("note.txt", "twelve bytes");
    tree.touch("note.txt", localTime(2005, 3, 2, 16, 30, 10));
    tree.symlink("note.txt", "link"); // a link's own details
    tree.touch("link", localTime(2026, 12, 5));
    tree.file("plain");
    const std::time_t after = std::time(nullptr);
    const std::pair<std::string, std::string> cases[] = {{"note.txt", "12||3/2/2005 4:30:10 PM"},
                                                         {"link", "8||12/5/2026"},
                                                         {"gone.txt", "|Deleted|Deleted"},
                                                         {"plain/below.txt", "|Deleted|Deleted"}};
    for (const auto& [name, details] : cases) {
        const std::string got = GetFileDetails(tree.at(name), &reporter);
        const size_t first = got.find('|'), second = got.rfind('|');
        const std::string created = got.substr(first + 1, second - first - 1);
        if (created == "Deleted") {
            EXPECT_EQ(got, details) << name;
            continue;
        }
        EXPECT_EQ(got.substr(0, first + 1) + got.substr(second), details) << name;
        // Created: the birth time, or the modified time where the file system keeps none.
        bool known = created == got.substr(second + 1);
        for (std::time_t t = before; t <= after; ++t)
            known |= created == dateText(t);
        EXPECT_TRUE(known) << name << ": " << got;
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST(GetFileDetails, OtherFailuresAreReportedAndGiveNothing)
{
    TempTree tree;
    tree.file("closed/inside.txt");
    tree.chmod("", 0755);
    tree.chmod("closed", 0700);
    EXPECT_EQ(runAsNobody([&] {
                  RecordingReporter reporter;
                  return GetFileDetails(tree.at("closed/inside.txt"), &reporter).empty() &&
                                 reporter.reports.size() == 1 && reporter.reports[0].location == 9060 &&
                                 reporter.reports[0].number == EACCES
                             ? 0
                             : 1;
              }),
              0);
}
