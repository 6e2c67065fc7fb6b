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
    for (const auto& [name, details] : {std::pair{"note.txt", "12|3/2/2005 4:30:10 PM"},
                                        {"link", "8|12/5/2026"},
                                        {"gone.txt", "|Deleted"},
                                        {"plain/below.txt", "|Deleted"}}) {
        // size|created|modified; created is the birth time, or the modified
        // time where the file system keeps none.
        const std::string got = GetFileDetails(tree.at(name), &reporter);
        const size_t first = got.find('|'), second = got.rfind('|');
        const std::string created = got.substr(first + 1, second - first - 1);
        EXPECT_EQ(got.substr(0, first) + got.substr(second), details) << got;
        bool expected = created == got.substr(second + 1) || (created == "Deleted" && details[1] == 'D');
        for (std::time_t t = before; t <= std::time(nullptr); ++t)
            expected |= created == dateText(t);
        EXPECT_TRUE(expected) << got;
    }
    EXPECT_TRUE(reporter.reports.empty());

    // Any other failure is reported and gives nothing.
    tree.file("closed/inside.txt");
    tree.chmod("", 0755);
    tree.chmod("closed", 0700);
    EXPECT_EQ(runAsNobody([&] {
                  const bool nothing = GetFileDetails(tree.at("closed/inside.txt"), &reporter).empty();
                  const auto& r = reporter.reports;
                  return nothing && r.size() == 1 && r[0].location == 9060 && r[0].number == EACCES ? 0 : 1;
              }),
              0);
}
