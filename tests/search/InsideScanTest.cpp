#include "search/InsideScan.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <random>

#include "support/AsNobody.h"
#include "support/TempTree.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

struct Scan {
    std::vector<std::string> notes;
    int yields = 0;
    bool found = false;
};

Scan scan(const std::string& path, const std::string& text, bool caseSensitive = false)
{
    Scan s;
    s.found = ScanFileForText(
        path, path.substr(path.rfind('/') + 1), text, caseSensitive,
        [&](const std::string& note) { s.notes.push_back(note); }, [&] { ++s.yields; });
    return s;
}

// size dots with needle written over them at offset.
std::string placed(size_t size, size_t offset, const std::string& needle)
{
    std::string content(size, '.');
    content.replace(offset, needle.size(), needle);
    return content;
}

// The few letters the tests use, folded by hand.
std::string folded(std::string text)
{
    for (auto [from, to] : {std::pair<std::string, std::string>{"\xC3\x84", "\xC3\xA4"}, {"\u212A", "k"}})
        for (size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), to);
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The scan as defined: pieces of 100,000 bytes appended to a window that
// keeps the last 100,000 bytes before each new piece.
bool modelScan(const std::string& content, const std::string& text, bool caseSensitive)
{
    std::string window;
    for (size_t offset = 0; offset < content.size(); offset += 100000) {
        window += content.substr(offset, 100000);
        if ((caseSensitive ? window : folded(window)).find(caseSensitive ? text : folded(text)) !=
            std::string::npos)
            return true;
        if (window.size() > 100000)
            window.erase(0, window.size() - 100000);
    }
    return false;
}

} // namespace

TEST(InsideScan, TheTypeMustOccurInTheListText)
{
    const char* const list = "txt doc html asp rtf";
    for (const char* scanned : {"txt", "doc", "html", "asp", "rtf", "htm", "tx", "ml", "t", "TXT"})
        EXPECT_TRUE(IsInsideScanType(scanned, list)) << scanned;
    for (const char* skipped : {"docx", "xml", "log", ""})
        EXPECT_FALSE(IsInsideScanType(skipped, list)) << skipped;
    EXPECT_TRUE(IsInsideScanType("log", "txt doc html asp rtf log"));
    EXPECT_FALSE(IsInsideScanType("txt", ""));
}

TEST(InsideScan, FindsTextWhereverItLies)
{
    TempTree tree;
    struct Case {
        const char* what;
        std::string content, text;
        bool caseSensitive, found;
    } cases[] = {
        {"small file", "Dear customer, your invoice is attached.", "invoice", false, true},
        {"absent", "Dear customer, your receipt is attached.", "invoice", false, false},
        {"other case, ignoring case", "YOUR INVOICE", "invoice", false, true},
        {"other case, case-sensitive", "YOUR INVOICE", "invoice", true, false},
        {"empty file", "", "invoice", false, false},
        {"3 before the 100,000th byte", placed(150000, 99997 - 1, "invoice"), "invoice", false, true},
        {"straddling, case-sensitive", placed(150000, 99997, "invoice"), "invoice", true, true},
        {"straddling pieces 2 and 3", placed(300000, 199998, "Invoice"), "invoice", false, true},
        {"at the very end", placed(300000, 300000 - 7, "INVOICE"), "invoice", false, true},
        {"a two-byte letter split by a piece", placed(150000, 99999, "\xC3\x84rger"), "\xC3\xA4rger", false,
         true},
        {"a three-byte letter split", placed(150000, 99998, "\u212Aelvin"), "kelvin", false, true},
        {"not in a large file", std::string(450000, 'x'), "invoice", false, false},
        {"bytes that are not UTF-8",
         "ab\xFF\xFE"
         "CD",
         "\xFF\xFE"
         "cd",
         false, true},
    };
    for (const auto& c : cases) {
        tree.file("f.txt", c.content);
        EXPECT_EQ(scan(tree.at("f.txt"), c.text, c.caseSensitive).found, c.found) << c.what;
    }
}

TEST(InsideScan, AgreesWithThePieceByPieceReadingOnRandomPlacements)
{
    TempTree tree;
    std::mt19937 random(4);
    const std::vector<std::string> needles = {"ab", "xyz!", "\xC3\x84rger", "\u212A9",
                                              std::string(150, 'q') + "Z"};
    int found = 0;
    for (int round = 0; round < 60; ++round) {
        std::string content(100000 + random() % 250000, 'a');
        for (auto& c : content)
            c = "abcxyz .\n"[random() % 9];
        const std::string& needle = needles[random() % needles.size()];
        const std::string text = random() % 2 ? needle : folded(needle);
        const size_t at = (1 + random() % 3) * 100000 - random() % (needle.size() + 2); // near a piece's end
        if (at + needle.size() <= content.size())
            content.replace(at, needle.size(), needle);
        const bool caseSensitive = random() % 2;
        tree.file("r.txt", content);
        const bool expected = modelScan(content, text, caseSensitive);
        found += expected;
        EXPECT_EQ(scan(tree.at("r.txt"), text, caseSensitive).found, expected) << "round " << round;
    }
    EXPECT_TRUE(found > 15 && found < 45) << found; // both outcomes exercised
}

TEST(InsideScan, ShowsProgressPerPieceAndStopsAtTheFirstOccurrence)
{
    TempTree tree;
    tree.file("report.txt", std::string(150000, 'x'));
    const Scan whole = scan(tree.at("report.txt"), "invoice");
    EXPECT_EQ(whole.notes,
              (std::vector<std::string>{"Scanning: report.txt", "Scanning: report.txt (100000 of 150000)",
                                        "Scanning: report.txt (200000 of 150000)", ""}));
    EXPECT_EQ(whole.yields, 3);
    tree.file("stop.txt", placed(350000, 10, "invoice"));
    EXPECT_EQ(scan(tree.at("stop.txt"), "invoice").notes,
              (std::vector<std::string>{"Scanning: stop.txt", "Scanning: stop.txt (100000 of 350000)", ""}));
}

TEST(InsideScan, FilesThatCannotBeReadDoNotContainTheText)
{
    TempTree tree;
    tree.chmod("", 0755);
    for (const char* name : {"locked.txt", "open.txt"})
        tree.file(name, "invoice");
    tree.chmod("locked.txt", 0600);
    tree.chmod("open.txt", 0644);
    ASSERT_EQ(::mkfifo(tree.at("pipe.txt").c_str(), 0666), 0);
    EXPECT_FALSE(scan(tree.at("missing.txt"), "invoice").found);
    EXPECT_FALSE(scan(tree.at("pipe.txt"), "invoice").found); // and does not block
    EXPECT_FALSE(scan(tree.path(), "invoice").found);
    // Access rules only bite for a user other than root.
    EXPECT_EQ(runAsNobody([&] {
                  return !scan(tree.at("locked.txt"), "invoice").found &&
                                 scan(tree.at("open.txt"), "invoice").found
                             ? 0
                             : 1;
              }),
              0);
}
