// Whole searches over random names, compared with a plain walk of the same
// entries: the rows, and the counts at every yield, with exclusions, a
// folder scope, controls changed and Cancel pressed part-way. The matcher
// passes over most names in the name text without looking at their entries;
// none of that may show.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/TextFold.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

struct Entry {
    std::string name;
    size_t folder; // 0 is the root
};

// The name test written out plainly; the case option applies to Contains.
bool namePasses(const SearchCriteria& c, const std::string& text, bool caseSensitive)
{
    const std::string t = foldText(text), n = foldText(c.name);
    switch (c.nameMatch) {
    case NameMatch::Contains:
        return caseSensitive ? text.find(c.name) != std::string::npos : t.find(n) != std::string::npos;
    case NameMatch::Exactly:
        return t == n;
    case NameMatch::StartsWith:
        return t.starts_with(n);
    case NameMatch::EndsWith:
        return t.ends_with(n);
    }
    return false;
}

// The name test on the base and the type test on the extension.
bool accepts(const SearchCriteria& c, const std::string& name)
{
    const size_t dot = name.rfind('.');
    const std::string base = name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    return (c.name.empty() || namePasses(c, base, c.caseSensitive)) &&
           (c.fileType.empty() || foldText(extension) == foldText(c.fileType));
}

using Counts = std::pair<int64_t, int64_t>; // searched and found at a yield

struct Walk {
    std::vector<std::string> rows;
    std::vector<Counts> yields;
    int64_t searched = 0;
};

} // namespace

TEST(QuickNamePass, SearchesShowWhatAPlainWalkShows)
{
    std::mt19937 random(3);
    // Letters in both cases, the two characters that fold to k and s, a
    // non-ASCII letter, a byte that is no UTF-8, dots.
    const std::vector<std::string> pieces = {
        "a",        "A",        "k",    "K", "s", "S", "q", "Q", "e", "-", "\xE2\x84\xAA",
        "\xC5\xBF", "\xC3\x84", "\xFF", ".", "1"};
    auto text = [&](size_t count) {
        std::string s;
        for (size_t i = 0; i < count; ++i)
            s += pieces[random() % pieces.size()];
        return s;
    };
    for (int pair = 0; pair < 8; ++pair) {
        // The second folder is in the first, which an exclusion takes with it.
        const std::string first = "d" + text(3) + "1", second = "d" + text(3), third = "d" + text(3) + "3";
        const std::vector<std::string> folders = {first + "/", first + "/" + second + "/", third + "/"};
        SearchHarness h;
        TempTree tree;
        const std::string root = tree.path() + "/";
        std::vector<Entry> entries;
        std::vector<StoredEntry> stored;
        const size_t count = 150 + random() % 900;
        for (size_t i = 0; i < count; ++i) {
            // Never hidden, never the same twice in a folder.
            const size_t folder = (i / 40) % (folders.size() + 1);
            const std::string name = "n" + text(random() % 12) + "~" + std::to_string(i) +
                                     (random() % 4 ? "." + text(1 + random() % 3) : "");
            entries.push_back({name, folder});
            stored.push_back({name, folder, "1"});
            tree.file((folder ? folders[folder - 1] : "") + name);
        }
        writePair(
            h.indexes, root,
            [&] {
                std::vector<std::string> paths;
                for (const auto& f : folders)
                    paths.push_back(root + f);
                return paths;
            }(),
            stored);

        for (int round = 0; round < 10; ++round) {
            SCOPED_TRACE("pair " + std::to_string(pair) + " round " + std::to_string(round));
            // The request: a piece of some name, or random text, in any way.
            const std::string& some = entries[random() % count].name;
            const size_t at = random() % some.size();
            SearchCriteria request;
            request.name = random() % 3 ? some.substr(at, 1 + random() % 6) : text(1 + random() % 3);
            request.nameMatch = static_cast<NameMatch>(random() % 4);
            request.caseSensitive = random() % 3 == 0;
            if (random() % 3 == 0)
                request.fileType = text(1 + random() % 2);
            if (random() % 5 == 0)
                request.name.clear();
            if (request.fileType.empty()) {
                // A dot would move the end of the name into the type box.
                std::erase(request.name, '.');
                if (request.name.empty())
                    request.name = "a";
            }
            const bool excluding = random() % 4 == 0;
            const bool scoped = random() % 4 == 0;
            const size_t scopeFolder = random() % (folders.size() + 1);
            const std::string later = text(1 + random() % 2); // the name typed part-way
            const int64_t changeAt = random() % 3 == 0 ? int64_t(random() % count) : -1;
            const int cancelAt = random() % 3 == 0 ? int(random() % 20) : -1;

            // The plain walk.
            Walk expected;
            SearchCriteria current = request;
            int64_t found = 0;
            bool cancelled = false;
            auto yield = [&] {
                expected.yields.push_back({expected.searched, found});
                if (int(expected.yields.size()) == cancelAt + 1) {
                    cancelled = true;
                    expected.yields.push_back({expected.searched, found}); // Cancel's own yield
                }
                if (changeAt >= 0 && expected.searched >= changeAt)
                    current.name = later;
            };
            // Folder rows first, the case option aside.
            const bool showFolders = random() % 2 == 0;
            if (showFolders && !request.name.empty() && request.fileType.empty()) {
                for (size_t k = 0; k < folders.size(); ++k) {
                    const std::string path = folders[k].substr(0, folders[k].size() - 1);
                    constexpr bool CaseSensitive = false;
                    if (!(excluding && k < 2) &&
                        namePasses(request, path.substr(path.rfind('/') + 1), CaseSensitive))
                        expected.rows.push_back(folders[k]);
                }
            }
            for (const Entry& e : entries) {
                if (cancelled)
                    break;
                if (excluding && (e.folder == 1 || e.folder == 2))
                    continue;
                ++expected.searched;
                if (expected.searched % 100 == 0)
                    yield();
                if (scoped && e.folder != scopeFolder)
                    continue;
                if (!accepts(current, e.name))
                    continue;
                ++found;
                expected.rows.push_back((e.folder ? folders[e.folder - 1] : "") + e.name);
                yield();
            }

            // The search.
            h.request({root}, request.name, request.fileType);
            h.view.criteria.nameMatch = request.nameMatch;
            h.view.criteria.caseSensitive = request.caseSensitive;
            if (scoped) {
                h.view.criteria.scope = SearchScope::Folder;
                h.view.criteria.folderRoot = root;
                h.view.criteria.folder = root + (scopeFolder ? folders[scopeFolder - 1] : "");
            }
            h.view.options.ExcludedFolders = {""};
            if (excluding)
                h.view.options.ExcludedFolders.push_back(root + folders[0]);
            h.view.options.ResultsLimit = true; // no limit
            h.view.options.ShowFolders = showFolders;
            h.view.onReadCriteria = [&](SearchCriteria& c) {
                if (changeAt >= 0 && h.state.FilesSearchedCount >= changeAt)
                    c.name = later;
            };
            Walk seen;
            int matcherYields = 0;
            bool pressed = false;
            h.onYield = [&] {
                // The load yields before anything is counted.
                if (h.state.FilesSearchedCount == 0)
                    return;
                seen.yields.push_back({h.state.FilesSearchedCount, h.state.FilesFoundCount});
                if (matcherYields++ == cancelAt && !pressed) {
                    pressed = true;
                    h.driver.cmdCancelSearch_Click();
                }
            };
            h.search();
            seen.rows = h.rowPaths(root);
            seen.searched = h.state.FilesSearchedCount;
            ASSERT_EQ(seen.rows, expected.rows) << request.name << " / " << request.fileType;
            ASSERT_EQ(seen.yields, expected.yields);
            ASSERT_EQ(seen.searched, expected.searched);
        }
    }
}
