#include "search/InsideScan.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/AsNobody.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

// Whether text is found, with the progress texts and yields; Cancel pressed after piece cancelAt (0: never).
std::pair<bool, std::vector<std::string>> scan(const std::string& path, const std::string& text,
                                               bool caseSensitive = false, int cancelAt = 0)
{
    std::vector<std::string> notes;
    int pieces = 0;
    const bool found = ScanFileForText(
        path, path.substr(path.rfind('/') + 1), text, caseSensitive,
        [&](const std::string& note) { notes.push_back(note); }, [&] { notes.push_back("yield"); },
        [&] { return ++pieces == cancelAt; });
    return {found, notes};
}

// size dots with needle written over them at offset.
std::string placed(size_t size, size_t offset, const std::string& needle)
{
    return std::string(size, '.').replace(offset, needle.size(), needle);
}

} // namespace

TEST(InsideScan, FindsTextWhereverItLies)
{
    TempTree tree;
    const std::tuple<const char*, std::string, std::string, bool, bool> cases[] = {
        {"a small file", "Dear customer, your invoice is attached.", "invoice", false, true},
        {"other case, case-sensitive", "YOUR INVOICE", "invoice", true, false},
        {"an empty file", "", "invoice", false, false},
        {"3 before the 100,000th byte", placed(150000, 99997 - 1, "invoice"), "invoice", true, true},
        {"straddling pieces 2 and 3", placed(300000, 199998, "Invoice"), "invoice", false, true},
        {"a two-byte letter split by a piece", placed(150000, 99999, "\xC3\x84rger"), "\xC3\xA4rger", false,
         true},
        {"letters that fold shorter, split", placed(150000, 99993, "\u212A\u212A\u212A"), "kkk", false, true},
        {"a long text across a piece's end", placed(250000, 199900, std::string(150, 'Q') + "z"),
         std::string(150, 'q') + "Z", false, true},
        {"bytes that are no UTF-8",
         "ab\xFF\xFE"
         "CD",
         "\xFF\xFE"
         "cd",
         false, true}};
    for (const auto& [what, content, text, caseSensitive, found] : cases) {
        tree.file("f.txt", content);
        EXPECT_EQ(scan(tree.at("f.txt"), text, caseSensitive).first, found) << what;
    }
    // A type is scanned when it occurs anywhere in the list's text.
    for (const auto& [type, scanned] : {std::pair{"ml", true}, {"TXT", true}, {"docx", false}, {"", false}})
        EXPECT_EQ(IsInsideScanType(type, "txt doc html"), scanned) << type;
}

TEST(InsideScan, ShowsProgressPerPieceAndStopsAtTheFirstOccurrenceOrAtCancel)
{
    using Notes = std::vector<std::string>;
    TempTree tree;
    tree.file("stop.txt", placed(350000, 10, "invoice"));
    EXPECT_EQ(scan(tree.at("stop.txt"), "invoice").second,
              (Notes{"Scanning: stop.txt", "yield", "Scanning: stop.txt (100000 of 350000)", "yield", ""}));
    // Cancel pressed while the second piece is shown: it is never read.
    tree.file("big.txt", placed(450000, 140000, "invoice"));
    EXPECT_EQ(scan(tree.at("big.txt"), "invoice", false, 2),
              (std::pair<bool, Notes>{false,
                                      {"Scanning: big.txt", "yield", "Scanning: big.txt (100000 of 450000)",
                                       "yield", "Scanning: big.txt (200000 of 450000)", "yield", ""}}));
}

TEST(InsideScan, FilesThatCannotBeReadDoNotContainTheText)
{
    TempTree tree;
    tree.chmod("", 0755);
    tree.file("open.txt", "invoice");
    tree.chmod("open.txt", 0644);
    tree.file("locked.txt", "invoice");
    tree.chmod("locked.txt", 0600);
    ASSERT_EQ(::mkfifo(tree.at("pipe.txt").c_str(), 0666), 0);
    for (const char* name : {"missing.txt", "pipe.txt", ""}) // a pipe must not block
        EXPECT_FALSE(scan(tree.at(name), "invoice").first) << name;
    // A link has no text of its own; where it points is not what was listed.
    tree.symlink(tree.at("open.txt"), "link.txt");
    EXPECT_FALSE(scan(tree.at("link.txt"), "invoice").first);
    // Access rules only bite for a user other than root.
    auto readable = [&](const char* name) { return scan(tree.at(name), "invoice").first; };
    EXPECT_EQ(runAsNobody([&] { return readable("open.txt") && !readable("locked.txt") ? 0 : 1; }), 0);
}
