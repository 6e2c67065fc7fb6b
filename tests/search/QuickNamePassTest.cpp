// Whole searches over random names against a plain walk: rows and counts at every yield, with exclusions,
// folder scope, the name changed and Cancel pressed part-way; the quick pass must not show.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/TextFold.h"
#include "search/NameScan.h"
#include "search/SearchHarness.h"

using namespace zephrix;
using namespace zephrix::test;

namespace {

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

bool accepts(const SearchCriteria& c, const std::string& name)
{
    const size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    return (c.name.empty() || namePasses(c, name.substr(0, dot), c.caseSensitive)) &&
           (c.fileType.empty() || foldText(extension) == foldText(c.fileType));
}

} // namespace

TEST(QuickNamePass, SearchesShowWhatAPlainWalkShows)
{
    std::mt19937 random(3);
    // Both cases, the two characters folding to k and s, non-ASCII, no UTF-8, dots.
    const std::string pieces[] = {
        "a",        "A",        "k",    "K", "s", "S", "q", "Q", "e", "-", "\xE2\x84\xAA",
        "\xC5\xBF", "\xC3\x84", "\xFF", ".", "1"};
    auto text = [&](size_t count) {
        std::string s;
        while (count-- > 0)
            s += pieces[random() % std::size(pieces)];
        return s;
    };
    using Counts = std::vector<std::pair<int64_t, int64_t>>; // searched and found at each yield
    for (int pair = 0; pair < 8; ++pair) {
        // The second folder is in the first, which an exclusion takes with it.
        const std::string first = "d" + text(3) + "1/";
        const std::vector<std::string> folders = {"", first, first + "d" + text(3) + "/",
                                                  "d" + text(3) + "3/"};
        SearchHarness h;
        const std::string root = h.data.path() + "/x/";
        std::vector<StoredEntry> entries;
        const size_t count = 150 + random() % 900;
        for (size_t i = 0; i < count; ++i) { // never hidden, never the same twice in a folder
            entries.push_back({"n" + text(random() % 12) + "~" + std::to_string(i) +
                                   (random() % 4 ? "." + text(1 + random() % 3) : ""),
                               (i / 40) % folders.size(), "1"});
            h.data.file("x/" + folders[entries.back().folder] + entries.back().name);
        }
        writePair(h.indexes, root, {root + folders[1], root + folders[2], root + folders[3]}, entries);

        for (int round = 0; round < 10; ++round) {
            SCOPED_TRACE("pair " + std::to_string(pair) + " round " + std::to_string(round));
            // A piece of some name, or random text, in any way.
            const std::string& some = entries[random() % count].name;
            SearchCriteria request{.name = random() % 3
                                               ? some.substr(random() % some.size(), 1 + random() % 6)
                                               : text(1 + random() % 3),
                                   .fileType = random() % 3 ? "" : text(1 + random() % 2),
                                   .nameMatch = static_cast<NameMatch>(random() % 4),
                                   .caseSensitive = random() % 3 == 0};
            if (random() % 5 == 0)
                request.name.clear();
            if (request.fileType.empty()) { // a dot would move the name's end into the type box
                std::erase(request.name, '.');
                request.name = request.name.empty() ? "a" : request.name;
            }
            const bool excluding = random() % 4 == 0, scoped = random() % 4 == 0, showFolders = random() % 2;
            const size_t scopeFolder = random() % folders.size();
            const std::string later = text(1 + random() % 2); // the name typed part-way
            const int64_t changeAt = random() % 3 == 0 ? int64_t(random() % count) : -1;
            const int cancelAt = random() % 3 == 0 ? int(random() % 20) : -1;

            // The plain walk: folder rows first, the case option aside.
            std::vector<std::string> rows;
            Counts yields;
            SearchCriteria current = request;
            int64_t searched = 0, found = 0;
            bool cancelled = false;
            for (size_t k = 1; showFolders && !request.name.empty() && request.fileType.empty() && k < 4;
                 ++k) {
                const std::string name = folders[k].substr(0, folders[k].size() - 1);
                if (!(excluding && k < 3) && namePasses(request, name.substr(name.rfind('/') + 1), false))
                    rows.push_back(folders[k]);
            }
            auto yield = [&] {
                yields.push_back({searched, found});
                if (int(yields.size()) == cancelAt + 1) {
                    cancelled = true;
                    yields.push_back({searched, found}); // Cancel's own yield
                }
                if (changeAt >= 0 && searched >= changeAt)
                    current.name = later;
            };
            for (const StoredEntry& e : entries) {
                if (cancelled || (excluding && (e.folder == 1 || e.folder == 2)))
                    continue;
                if (++searched % 100 == 0)
                    yield();
                if ((scoped && e.folder != scopeFolder) || !accepts(current, e.name))
                    continue;
                ++found;
                rows.push_back(folders[e.folder] + e.name);
                yield();
            }

            SearchCriteria& c = h.view.criteria = request;
            c.drives = {root};
            c.scope = scoped ? SearchScope::Folder : SearchScope::Drives;
            c.folderRoot = root;
            c.folder = root + folders[scopeFolder];
            h.view.options.ExcludedFolders = {"", excluding ? root + folders[1] : ""};
            h.view.options.ResultsLimit = true; // no limit
            h.view.options.ShowFolders = showFolders;
            h.view.onReadCriteria = [&](SearchCriteria& c) {
                if (changeAt >= 0 && h.state.FilesSearchedCount >= changeAt)
                    c.name = later;
            };
            Counts seen;
            h.onYield = [&] {
                if (h.state.FilesSearchedCount == 0) // the load's yield
                    return;
                seen.push_back({h.state.FilesSearchedCount, h.state.FilesFoundCount});
                if (int(seen.size()) == cancelAt + 1)
                    h.driver.cmdCancelSearch_Click();
            };
            h.search();
            ASSERT_EQ(h.rowPaths(root), rows) << request.name << " / " << request.fileType;
            ASSERT_EQ(seen, yields);
            ASSERT_EQ(h.state.FilesSearchedCount, searched);

            // The narrower scan, for processors without the wider, agrees with it.
            if (!NameScan::available(NameScan::Width::Avx2))
                continue;
            NameScan scan;
            scan.assign(request.name.empty() ? later : request.name,
                        random() % 2 ? NameScan::Letters::Exact : NameScan::Letters::EitherCase,
                        random() % 2 ? NameScan::OtherBytes::Stop : NameScan::OtherBytes::PassOver);
            const char* at = h.ctx.index.nameText();
            for (size_t left = h.ctx.index.namedRows(); left > 0; at += std::strlen(at) + 1, --left) {
                const char* wide = at;
                const size_t most = 1 + random() % left, passed = scan.skip(at, most, NameScan::Width::Sse2);
                ASSERT_EQ(scan.skip(wide, most, NameScan::Width::Avx2), passed);
                ASSERT_EQ(wide, at);
                ASSERT_EQ(scan.mayHold(at, std::strlen(at), NameScan::Width::Sse2),
                          scan.mayHold(at, std::strlen(at), NameScan::Width::Avx2));
                if ((left -= passed) == 0)
                    break;
            }
        }
    }
}
