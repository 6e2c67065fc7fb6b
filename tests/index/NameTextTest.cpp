// The loaded names as one text, and the rows before the first empty name:
// what the search's quick pass reads.
#include <gtest/gtest.h>

#include <string>

#include "index/IndexLoader.h"
#include "support/IndexPair.h"
#include "support/RecordingReporter.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

struct NameText : ::testing::Test {
    TempTree tree;
    RecordingReporter reporter;
    IndexContext ctx;
    const std::string root = "/home/";

    NameText()
    {
        ctx.indexesDir = tree.path();
        ctx.errors = &reporter;
    }
    void load(const std::vector<StoredEntry>& entries)
    {
        writePair(tree.path(), root, {}, entries);
        ASSERT_TRUE(LoadIndex(ctx, root, IndexMode::Drive));
    }
    // The name text up to its last NUL.
    std::string text() const
    {
        const char* names = ctx.index.nameText();
        std::string joined;
        for (size_t row = 0; row < ctx.index.entryCount(); ++row) {
            const std::string name(names + joined.size());
            joined += name + '\0';
        }
        return joined;
    }
};

} // namespace

TEST_F(NameText, HoldsEveryDecodedNameInRowOrder)
{
    // Escaped names, names around and past the 32 bytes copied at once,
    // non-ASCII bytes.
    const std::vector<std::string> names = {"a.txt",
                                            "p|c%t\r\n.doc",
                                            std::string(31, 'x') + ".",
                                            std::string(32, 'y'),
                                            std::string(100, 'L'),
                                            "\xC3\x84rger.txt",
                                            "\xFF"};
    std::vector<StoredEntry> entries;
    std::string expected;
    for (const auto& name : names) {
        entries.push_back({name, 0, "1"});
        expected += name + '\0';
    }
    load(entries);
    EXPECT_EQ(text(), expected);
    EXPECT_EQ(ctx.index.namedRows(), names.size());
    // The padding is there and holds no name.
    const char* end = ctx.index.nameText() + expected.size();
    EXPECT_EQ(std::string(end, LoadedIndex::NameTextPadding),
              std::string(LoadedIndex::NameTextPadding, '\0'));
}

TEST_F(NameText, RowsEndAtTheFirstEmptyName)
{
    load({{"a", 0, "1"}, {"b", 0, "1"}, {"", 0, "1"}, {"c", 0, "1"}, {"", 0, "1"}});
    EXPECT_EQ(ctx.index.namedRows(), 2u);
    EXPECT_EQ(text(), std::string("a\0b\0\0c\0\0", 8));
    load({});
    EXPECT_EQ(ctx.index.namedRows(), 0u);
}

TEST_F(NameText, NamesThatAreNearlyTheWholeLineStayWithinTheTablesBound)
{
    // The names leave the entries text for the name text rather than being
    // held twice.
    std::vector<StoredEntry> entries;
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        entries.push_back({std::string(200, 'n') + std::to_string(i), 0, "", "c", "m"});
        expected += entries.back().name + '\0';
    }
    load(entries);
    EXPECT_EQ(text(), expected);
    const std::string file = readWholeFile(entriesFile(tree.path(), root));
    EXPECT_LE(ctx.index.memoryBytes(), file.size() * 3 / 2 + 24 * ctx.index.entryCount());
    EXPECT_EQ(ctx.index.entry(1999).created, "c");
    EXPECT_EQ(ctx.index.entry(1999).modified, "m");
}
