#pragma once
// Reads an index pair with a reader of its own (not the program's loader)
// and compares it with the tree on disk, so a test sees what was written, not
// what the loader makes of it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdint>
#include <dirent.h>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/DateText.h"
#include "support/TempTree.h"

namespace zephrix::indextest {
using zephrix::test::readWholeFile;
using zephrix::test::TempTree;
using zephrix::test::writeWholeFile;

struct StoredEntry {
    std::string name;
    uint64_t folder = 0;
    std::string size;
    std::string created;
    std::string modified;
};

struct StoredPair {
    std::string entriesStamp;
    std::string foldersStamp;
    std::vector<std::string> folders;
    std::vector<StoredEntry> entries;
};

inline std::string decodeStored(const std::string& text)
{
    static const std::map<std::string, char> escapes = {{"25", '%'}, {"7C", '|'}, {"0D", '\r'}, {"0A", '\n'}};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        const auto escape = escapes.find(text.substr(i + 1, 2));
        if (escape == escapes.end())
            ADD_FAILURE() << "unexpected escape %" << text.substr(i + 1, 2) << " in " << text;
        else
            out.push_back(escape->second);
        i += 2;
    }
    return out;
}

// Every line must end in CR LF, and no CR or LF may stand anywhere else.
inline std::vector<std::string> storedLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line has no CR LF";
            break;
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare CR or LF in a line";
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

inline StoredPair readStoredPair(const std::string& entriesPath, const std::string& foldersPath)
{
    StoredPair pair;
    const std::vector<std::string> entryLines = storedLines(readWholeFile(entriesPath));
    const std::vector<std::string> folderLines = storedLines(readWholeFile(foldersPath));
    if (entryLines.empty() || folderLines.empty()) {
        ADD_FAILURE() << "a file of the pair has no stamp";
        return pair;
    }
    pair.entriesStamp = entryLines[0];
    pair.foldersStamp = folderLines[0];
    for (size_t i = 1; i < folderLines.size(); ++i)
        pair.folders.push_back(decodeStored(folderLines[i]));
    for (size_t i = 1; i < entryLines.size(); ++i) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (;;) {
            const size_t bar = entryLines[i].find('|', start);
            fields.push_back(entryLines[i].substr(start, bar - start));
            if (bar == std::string::npos)
                break;
            start = bar + 1;
        }
        EXPECT_EQ(fields.size(), 5u) << entryLines[i];
        if (fields.size() != 5)
            continue;
        pair.entries.push_back(
            {decodeStored(fields[0]), std::stoull(fields[1]), fields[2], fields[3], fields[4]});
    }
    return pair;
}

struct TreeFile {
    std::string size;
    std::string created;
    std::string modified;
};

struct TreeContent {
    std::set<std::string> folders;         // full paths ending in '/'
    std::map<std::string, TreeFile> files; // full path -> details
};

// What the walk should find: every folder and file below root on root's own
// mount, links as files, and nothing inside folders the caller names as
// closed (not listable) or whose files cannot be looked at.
inline void collectTree(const std::string& folder, dev_t device, TreeContent& content,
                        const std::set<std::string>& closed)
{
    content.folders.insert(folder);
    if (closed.count(folder))
        return;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + name;
        struct statx details {};
        if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &details) !=
            0)
            continue;
        if (S_ISDIR(details.stx_mode)) {
            if (makedev(details.stx_dev_major, details.stx_dev_minor) == device)
                collectTree(path + "/", device, content, closed);
            else
                content.folders.insert(path + "/"); // a mount point: listed, not entered
            continue;
        }
        const bool birth = (details.stx_mask & STATX_BTIME) &&
                           (details.stx_btime.tv_sec != 0 || details.stx_btime.tv_nsec != 0);
        content.files[path] = {std::to_string(details.stx_size),
                               formatDateText(birth ? details.stx_btime.tv_sec : details.stx_mtime.tv_sec),
                               formatDateText(details.stx_mtime.tv_sec)};
    }
    ::closedir(dir);
}

// collectTree from root, on root's own file system.
inline TreeContent treeContent(const std::string& root, const std::set<std::string>& closed = {})
{
    struct statx details {};
    ::statx(AT_FDCWD, root.c_str(), 0, STATX_BASIC_STATS, &details);
    TreeContent content;
    collectTree(root, makedev(details.stx_dev_major, details.stx_dev_minor), content, closed);
    return content;
}

inline std::string parentOf(const std::string& folder)
{
    const size_t slash = folder.rfind('/', folder.size() - 2);
    return folder.substr(0, slash + 1);
}

// Checks the pair against the tree: every folder once, numbered breadth-first;
// every file once, with its size and dates, grouped by folder.
inline void expectPairMatchesTree(const StoredPair& pair, const std::string& root, const TreeContent& tree)
{
    ASSERT_FALSE(pair.folders.empty());
    EXPECT_EQ(pair.entriesStamp, pair.foldersStamp);
    EXPECT_TRUE(parseDateText(pair.entriesStamp)) << pair.entriesStamp;
    EXPECT_EQ(pair.folders[0], root);

    std::map<std::string, size_t> numberOf;
    for (size_t k = 0; k < pair.folders.size(); ++k)
        EXPECT_TRUE(numberOf.emplace(pair.folders[k], k).second) << "folder twice: " << pair.folders[k];
    EXPECT_EQ(std::set<std::string>(pair.folders.begin(), pair.folders.end()), tree.folders);

    // Breadth-first: a folder comes after its parent, and the parents of
    // consecutive folders never go back.
    size_t lastParent = 0;
    for (size_t k = 1; k < pair.folders.size(); ++k) {
        const auto parent = numberOf.find(parentOf(pair.folders[k]));
        ASSERT_NE(parent, numberOf.end()) << pair.folders[k];
        EXPECT_LT(parent->second, k);
        EXPECT_GE(parent->second, lastParent) << pair.folders[k];
        lastParent = parent->second;
    }

    std::set<std::string> seen;
    uint64_t lastFolder = 0;
    for (const StoredEntry& entry : pair.entries) {
        ASSERT_LT(entry.folder, pair.folders.size());
        EXPECT_GE(entry.folder, lastFolder) << "entries not grouped by folder";
        lastFolder = entry.folder;
        const std::string path = pair.folders[entry.folder] + entry.name;
        EXPECT_TRUE(seen.insert(path).second) << "file twice: " << path;
        const auto file = tree.files.find(path);
        if (file == tree.files.end()) {
            ADD_FAILURE() << "not in the tree: " << path;
            continue;
        }
        EXPECT_EQ(entry.size, file->second.size) << path;
        EXPECT_EQ(entry.created, file->second.created) << path;
        EXPECT_EQ(entry.modified, file->second.modified) << path;
    }
    EXPECT_EQ(seen.size(), tree.files.size());
}

// A tree with everything a walk can stumble over.
inline void buildAwkwardTree(const TempTree& tree)
{
    tree.file("readme.txt", "hello");
    tree.sizedFile("big.bin", 5 * 1024 * 1024 + 3);
    tree.file(".hidden", "h");
    tree.file("pipe|name.txt", "p");
    tree.file("100% done", "%");
    tree.file("%7C not an escape", "");
    tree.file("cr\rin name", "");
    tree.file("lf\nin name", "");
    tree.file("  blanks around  ", "");
    tree.file("bad\xff\xfeutf8.bin", "");
    tree.file("we|ird%dir\n/inner.txt", "inner");
    tree.file("a/b/c/deep.txt", "deep");
    tree.file("a/sibling.txt", "s");
    tree.dir("a/empty");
    tree.file("z/last.txt", "");
    tree.file(".config/settings", "x");
    tree.touch("readme.txt", 1109672100); // 3/1/2005 10:15:00 AM in UTC
    tree.touch("a/sibling.txt", 946684800);
    tree.symlink("a", "link-to-folder");
    tree.symlink("readme.txt", "link-to-file");
    tree.symlink("/nowhere/at/all", "dangling");
}

} // namespace zephrix::indextest
