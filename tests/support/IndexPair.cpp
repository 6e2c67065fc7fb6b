#include "support/IndexPair.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <map>

#include "index/IndexFormat.h"

namespace zephrix::test {
namespace {

std::string decodedName(const std::string& text)
{
    static const std::map<std::string, char> escapes = {{"25", '%'}, {"7C", '|'}, {"0D", '\r'}, {"0A", '\n'}};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto escape = text[i] == '%' ? escapes.find(text.substr(i + 1, 2)) : escapes.end();
        if (text[i] == '%' && escape == escapes.end())
            ADD_FAILURE() << "unexpected escape in " << text;
        out.push_back(escape == escapes.end() ? text[i] : escape->second);
        i += escape == escapes.end() ? 0 : 2;
    }
    return out;
}

std::vector<std::string> storedLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        if ((end = text.find("\r\n", start)) == std::string::npos) {
            ADD_FAILURE() << "last line has no CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << "bare CR or LF in a line";
    }
    return lines.empty() ? std::vector<std::string>{""} : lines;
}

void collectTree(const std::string& folder, dev_t device, const std::set<std::string>& closed,
                 std::set<std::string>& folders, std::map<std::string, std::string>& files)
{
    folders.insert(folder);
    DIR* dir = closed.count(folder) ? nullptr : ::opendir(folder.c_str());
    while (dirent* entry = dir ? ::readdir(dir) : nullptr) {
        const std::string name = entry->d_name, path = folder + name;
        struct statx st {};
        if (name == "." || name == ".." ||
            ::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME, &st) != 0)
            continue;
        if (S_ISDIR(st.stx_mode) && makedev(st.stx_dev_major, st.stx_dev_minor) == device)
            collectTree(path + "/", device, closed, folders, files);
        else if (S_ISDIR(st.stx_mode))
            folders.insert(path + "/"); // a mount point
        else                            // created is the birth time where the file system keeps one
            files[path] = std::to_string(st.stx_size) + "|" +
                          dateText((st.stx_mask & STATX_BTIME) && st.stx_btime.tv_sec ? st.stx_btime.tv_sec
                                                                                      : st.stx_mtime.tv_sec) +
                          "|" + dateText(st.stx_mtime.tv_sec);
    }
    if (dir)
        ::closedir(dir);
}

} // namespace

std::string entriesFile(const std::string& indexes, const std::string& root, bool folderPair)
{
    return IndexFormat::pairPaths(indexes, root, folderPair ? IndexMode::Folder : IndexMode::Drive)->entries;
}

std::string foldersFile(const std::string& indexes, const std::string& root, bool folderPair)
{
    return IndexFormat::pairPaths(indexes, root, folderPair ? IndexMode::Folder : IndexMode::Drive)->folders;
}

std::string escapedName(const std::string& text)
{
    static const std::map<char, std::string> escapes = {
        {'%', "%25"}, {'|', "%7C"}, {'\r', "%0D"}, {'\n', "%0A"}};
    std::string out;
    for (char c : text)
        out += escapes.count(c) ? escapes.at(c) : std::string(1, c);
    return out;
}

std::string dateText(std::time_t seconds)
{
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[64];
    const bool midnight = local.tm_hour == 0 && local.tm_min == 0 && local.tm_sec == 0;
    std::strftime(text, sizeof text, midnight ? "%-m/%-d/%Y" : "%-m/%-d/%Y %-I:%M:%S %p", &local);
    return text;
}

std::time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{second, minute, hour, day, month - 1, year - 1900};
    local.tm_isdst = -1;
    return std::mktime(&local);
}

void writePair(const std::string& indexes, const std::string& root, const std::vector<std::string>& folders,
               const std::vector<StoredEntry>& entries, const std::string& stamp, bool folderPair)
{
    std::string entriesText = stamp + "\r\n", foldersText = stamp + "\r\n" + escapedName(root) + "\r\n";
    for (const auto& e : entries)
        entriesText += escapedName(e.name) + "|" + std::to_string(e.folder) + "|" + e.size + "|" + e.created +
                       "|" + e.modified + "\r\n";
    for (const auto& folder : folders)
        foldersText += escapedName(folder) + "\r\n";
    writeWholeFile(entriesFile(indexes, root, folderPair), entriesText);
    writeWholeFile(foldersFile(indexes, root, folderPair), foldersText);
}

StoredPair readStoredPair(const std::string& indexes, const std::string& root, bool folderPair)
{
    const auto entryLines = storedLines(readWholeFile(entriesFile(indexes, root, folderPair)));
    const auto folderLines = storedLines(readWholeFile(foldersFile(indexes, root, folderPair)));
    StoredPair pair{entryLines[0], folderLines[0], {}, {}};
    for (size_t i = 1; i < folderLines.size(); ++i)
        pair.folders.push_back(decodedName(folderLines[i]));
    for (size_t i = 1; i < entryLines.size(); ++i) {
        std::vector<std::string> f;
        for (size_t start = 0, bar = 0; bar != std::string::npos; start = bar + 1)
            f.push_back(entryLines[i].substr(start, (bar = entryLines[i].find('|', start)) - start));
        if (f.size() == 5)
            pair.entries.push_back({decodedName(f[0]), std::stoull(f[1]), f[2], f[3], f[4]});
        else
            ADD_FAILURE() << "not five fields: " << entryLines[i];
    }
    return pair;
}

TreeOnDisk treeOnDisk(const std::string& root, const std::set<std::string>& closed)
{
    struct statx st {};
    ::statx(AT_FDCWD, root.c_str(), 0, STATX_BASIC_STATS, &st);
    TreeOnDisk tree;
    collectTree(root, makedev(st.stx_dev_major, st.stx_dev_minor), closed, tree.folders, tree.files);
    return tree;
}

void expectPairMatchesTree(const std::string& indexes, const std::string& root, std::time_t builtFrom,
                           std::time_t builtUntil, const std::set<std::string>& closed)
{
    const auto [folders, files] = treeOnDisk(root, closed);
    std::map<std::string, std::string> listed;
    const StoredPair pair = readStoredPair(indexes, root);
    bool stampInTime = false;
    for (std::time_t t = builtFrom; t <= builtUntil; ++t)
        stampInTime |= dateText(t) == pair.entriesStamp;
    EXPECT_TRUE(stampInTime && pair.foldersStamp == pair.entriesStamp) << pair.entriesStamp;
    ASSERT_EQ(pair.folders.size(), folders.size()) << "a folder missing or listed twice";
    EXPECT_EQ(std::set<std::string>(pair.folders.begin(), pair.folders.end()), folders);
    EXPECT_EQ(pair.folders[0], root);
    // Breadth-first: each folder after its parent, parents never going back.
    std::map<std::string, size_t> numberOf{{root, 0}};
    for (size_t k = 1, lastParent = 0; k < pair.folders.size(); ++k) {
        const std::string& folder = pair.folders[k];
        const auto parent = numberOf.find(folder.substr(0, folder.rfind('/', folder.size() - 2) + 1));
        EXPECT_TRUE(parent != numberOf.end() && parent->second >= lastParent) << folder;
        lastParent = parent == numberOf.end() ? lastParent : parent->second;
        numberOf.emplace(folder, k);
    }
    for (size_t i = 0; i < pair.entries.size(); ++i) {
        const StoredEntry& e = pair.entries[i];
        ASSERT_LT(e.folder, pair.folders.size());
        EXPECT_TRUE(i == 0 || e.folder >= pair.entries[i - 1].folder) << "entries not grouped by folder";
        const std::string details = e.size + "|" + e.created + "|" + e.modified;
        EXPECT_TRUE(listed.emplace(pair.folders[e.folder] + e.name, details).second) << "twice: " << e.name;
    }
    EXPECT_EQ(listed, files);
}

void buildAwkwardTree(const TempTree& tree)
{
    for (const char* name : {"pipe|name.txt", "100% done", "%7C not an escape", "cr\rin name", "lf\nin name",
                             "  blanks around  ", "bad\xff\xfeutf8.bin", ".hidden", ".config/settings",
                             "we|ird%dir\n/inner.txt", "a/b/c/deep.txt", "z/last.txt"})
        tree.file(name, "x");
    tree.dir("a/empty");
    tree.sizedFile("big.bin", 5 * 1024 * 1024 + 3);
    const std::pair<const char*, std::time_t> dated[] = {{"midnight", localTime(2026, 12, 5)},
                                                         {"noon", localTime(2026, 12, 5, 12, 0, 0)},
                                                         {"a/after-midnight", localTime(2005, 3, 1, 0, 0, 1)},
                                                         {"a/afternoon", localTime(2005, 3, 2, 16, 30, 10)}};
    for (const auto& [name, modified] : dated) {
        tree.file(name, name);
        tree.touch(name, modified);
    }
    tree.symlink("a", "link-to-folder");
    tree.symlink("noon", "link-to-file");
    tree.symlink("/nowhere/at/all", "dangling");
}

} // namespace zephrix::test
