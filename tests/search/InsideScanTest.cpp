#include "search/InsideScan.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include <gtest/gtest.h>

#include "core/TextFold.h"
#include "support/TempTree.h"

using namespace zephrix;
using zephrix::test::TempTree;

namespace {

struct ScanRecord {
    std::vector<std::string> notes;
    int yields = 0;
};

bool scanWith(ScanRecord& record, const std::string& path, const std::string& name, const std::string& text,
              bool caseSensitive)
{
    return ScanFileForText(
        path, name, text, caseSensitive, [&](const std::string& t) { record.notes.push_back(t); },
        [&] { ++record.yields; });
}

bool scan(const std::string& path, const std::string& text, bool caseSensitive = false)
{
    ScanRecord record;
    return scanWith(record, path, "f", text, caseSensitive);
}

// The text with needle written over it at offset.
std::string placed(size_t size, size_t offset, const std::string& needle)
{
    std::string content(size, '.');
    content.replace(offset, needle.size(), needle);
    return content;
}

// Reads the file piece by piece keeping the last 100,000 bytes of the window
// before appending the next piece, the way the scan is defined, and searches
// the whole window each time.
bool modelScan(const std::string& content, const std::string& text, bool caseSensitive)
{
    std::string window;
    for (size_t offset = 0; offset < content.size(); offset += InsidePieceSize) {
        window += content.substr(offset, InsidePieceSize);
        const bool found = caseSensitive ? window.find(text) != std::string::npos
                                         : foldText(window).find(foldText(text)) != std::string::npos;
        if (found)
            return true;
        if (window.size() > InsidePieceSize)
            window.erase(0, window.size() - InsidePieceSize);
    }
    return false;
}

} // namespace

TEST(InsideScanEligibility, TypeOccursInTheListText)
{
    struct Case {
        const char* type;
        const char* list;
        bool scanned;
    } cases[] = {
        {"txt", "txt doc html asp rtf", true},   {"doc", "txt doc html asp rtf", true},
        {"html", "txt doc html asp rtf", true},  {"asp", "txt doc html asp rtf", true},
        {"rtf", "txt doc html asp rtf", true},   {"htm", "txt doc html asp rtf", true},
        {"tx", "txt doc html asp rtf", true},    {"ml", "txt doc html asp rtf", true},
        {"t", "txt doc html asp rtf", true},     {"TXT", "txt doc html asp rtf", true},
        {"docx", "txt doc html asp rtf", false}, {"xml", "txt doc html asp rtf", false},
        {"log", "txt doc html asp rtf", false},  {"log", "txt doc html asp rtf log", true},
        {"", "txt doc html asp rtf", false},     {"txt", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsInsideScanType(c.type, c.list), c.scanned) << c.type << " in " << c.list;
}

TEST(InsideScan, FindsTextWhereverItLies)
{
    TempTree tree;
    struct Case {
        const char* what;
        std::string content;
        std::string text;
        bool caseSensitive;
        bool found;
    } cases[] = {
        {"small file", "Dear customer, your invoice is attached. Regards", "invoice", false, true},
        {"absent", "Dear customer, your receipt is attached. Regards", "invoice", false, false},
        {"other case, ignoring case", "YOUR INVOICE", "invoice", false, true},
        {"other case, case-sensitive", "YOUR INVOICE", "invoice", true, false},
        {"same case, case-sensitive", "your invoice", "invoice", true, true},
        {"empty file", "", "invoice", false, false},
        {"3 before the 100,000th byte", placed(150000, 99997 - 1, "invoice"), "invoice", false, true},
        {"straddling, case-sensitive", placed(150000, 99997, "invoice"), "invoice", true, true},
        {"wholly in the second piece", placed(150000, 120000, "invoice"), "invoice", true, true},
        {"at the very end", placed(300000, 300000 - 7, "INVOICE"), "invoice", false, true},
        {"straddling pieces 2 and 3", placed(300000, 199998, "Invoice"), "invoice", false, true},
        {"a folded letter split by a piece", placed(150000, 99999, "\xC3\x84rger"), "\xC3\xA4rger", false,
         true},
        {"a three-byte letter split", placed(150000, 99998, "\u212Aelvin"), "kelvin", false, true},
        {"not found in a large file", std::string(450000, 'x'), "invoice", false, false},
        {"bytes that are not UTF-8",
         "ab\xFF\xFE"
         "CD",
         "\xFF\xFE"
         "cd",
         false, true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string name = "f" + std::to_string(n++) + ".txt";
        tree.file(name, c.content);
        EXPECT_EQ(scan(tree.at(name), c.text, c.caseSensitive), c.found) << c.what;
        EXPECT_EQ(modelScan(c.content, c.text, c.caseSensitive), c.found) << "model: " << c.what;
    }
}

TEST(InsideScan, AgreesWithThePieceByPieceReadingOnRandomPlacements)
{
    TempTree tree;
    std::mt19937 random(4);
    const std::vector<std::string> needles = {"ab", "xyz!", "Ärger", "\u212A9", std::string(150, 'q') + "Z"};
    int foundCount = 0;
    const int rounds = 60;
    for (int round = 0; round < rounds; ++round) {
        const size_t size = 100000 + random() % 250000;
        std::string content(size, 'a');
        for (auto& c : content)
            c = "abcxyz .\n"[random() % 9];
        const std::string& needle = needles[random() % needles.size()];
        const std::string text = random() % 2 ? needle : foldText(needle);
        // Around a piece boundary most of the time.
        size_t at = (1 + random() % 3) * InsidePieceSize - random() % (needle.size() + 2);
        if (at + needle.size() <= size)
            content.replace(at, needle.size(), needle);
        const bool caseSensitive = random() % 2;
        tree.file("r.txt", content);
        const bool expected = modelScan(content, text, caseSensitive);
        foundCount += expected;
        EXPECT_EQ(scan(tree.at("r.txt"), text, caseSensitive), expected)
            << "round " << round << " at " << at << " size " << size;
    }
    // Both outcomes must have been exercised.
    EXPECT_GT(foundCount, rounds / 4);
    EXPECT_LT(foundCount, rounds - rounds / 4);
}

TEST(InsideScan, ShowsProgressPerPiece)
{
    TempTree tree;
    tree.file("report.txt", std::string(150000, 'x'));
    ScanRecord record;
    EXPECT_FALSE(scanWith(record, tree.at("report.txt"), "report.txt", "invoice", false));
    EXPECT_EQ(record.notes,
              (std::vector<std::string>{"Scanning: report.txt", "Scanning: report.txt (100000 of 150000)",
                                        "Scanning: report.txt (200000 of 150000)", ""}));
    EXPECT_EQ(record.yields, 3);

    tree.file("stop.txt", placed(350000, 10, "invoice"));
    ScanRecord early;
    EXPECT_TRUE(scanWith(early, tree.at("stop.txt"), "stop.txt", "invoice", true));
    EXPECT_EQ(early.notes,
              (std::vector<std::string>{"Scanning: stop.txt", "Scanning: stop.txt (100000 of 350000)", ""}));

    tree.file("empty.txt");
    ScanRecord empty;
    EXPECT_FALSE(scanWith(empty, tree.at("empty.txt"), "empty.txt", "x", false));
    EXPECT_EQ(empty.notes, (std::vector<std::string>{"Scanning: empty.txt", ""}));
}

TEST(InsideScan, CancelStopsTheScanAfterThePieceItCameIn)
{
    TempTree tree;
    tree.file("big.txt", placed(450000, 440000, "invoice"));
    ScanRecord record;
    int pieces = 0;
    EXPECT_FALSE(ScanFileForText(
        tree.at("big.txt"), "big.txt", "invoice", false,
        [&](const std::string& t) { record.notes.push_back(t); }, [] {}, [&] { return ++pieces == 2; }));
    EXPECT_EQ(record.notes,
              (std::vector<std::string>{"Scanning: big.txt", "Scanning: big.txt (100000 of 450000)",
                                        "Scanning: big.txt (200000 of 450000)", ""}));
}

TEST(InsideScan, FilesThatCannotBeReadDoNotContainTheText)
{
    TempTree tree;
    tree.chmod("", 0755);
    tree.file("locked.txt", "invoice");
    tree.chmod("locked.txt", 0600);
    tree.file("open.txt", "invoice");
    tree.chmod("open.txt", 0644);
    ASSERT_EQ(::mkfifo(tree.at("pipe.txt").c_str(), 0666), 0);

    EXPECT_FALSE(scan(tree.at("missing.txt"), "invoice"));
    EXPECT_FALSE(scan(tree.at("pipe.txt"), "invoice")); // must not block
    EXPECT_FALSE(scan(tree.path(), "invoice"));
    // A link has no text of its own; where it points is not what was listed.
    tree.symlink(tree.at("open.txt"), "link.txt");
    EXPECT_FALSE(scan(tree.at("link.txt"), "invoice"));

    // Access rules only bite for a user other than root.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
            ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(3);
        const bool locked = scan(tree.at("locked.txt"), "invoice");
        const bool open = scan(tree.at("open.txt"), "invoice");
        ::_exit(!locked && open ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
