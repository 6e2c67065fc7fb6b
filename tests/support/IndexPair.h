#pragma once
// Index pairs written and read by code of the tests' own; only the files' names come from IndexFormat.
#include <cstdint>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/TempTree.h"

namespace zephrix::test {

// One line of an entries file: Name|FolderIndex|Size|DateCreated|DateLastModified.
struct StoredEntry {
    std::string name;
    uint64_t folder = 0;
    std::string size;
    std::string created = "3/1/2005 10:15:00 AM";
    std::string modified = "3/2/2005 4:30:10 PM";
};

struct StoredPair {
    std::string entriesStamp, foldersStamp;
    std::vector<std::string> folders; // folder 0 is the root
    std::vector<StoredEntry> entries;
};

// The pair's files: root's drive pair, or the folder pair.
std::string entriesFile(const std::string& indexes, const std::string& root, bool folderPair = false);
std::string foldersFile(const std::string& indexes, const std::string& root, bool folderPair = false);
// '%', '|', CR and LF written as %25, %7C, %0D and %0A.
std::string escapedName(const std::string& text);
// The program's date form of a local time: M/D/YYYY h:mm:ss AM, the date alone at midnight.
std::string dateText(std::time_t seconds);
std::time_t localTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Writes root's pair; folders are the lines after the root, ending in '/'.
void writePair(const std::string& indexes, const std::string& root, const std::vector<std::string>& folders,
               const std::vector<StoredEntry>& entries,
               const std::string& stamp = dateText(std::time(nullptr)), bool folderPair = false);
// Reads a pair back, failing on a line without CR LF, a stray CR or LF, not five fields or another escape.
StoredPair readStoredPair(const std::string& indexes, const std::string& root, bool folderPair = false);

// What a walk from root must list: folders (ending in '/'; mount points listed, not entered;
// nothing inside closed ones) and files ("size|created|modified").
struct TreeOnDisk {
    std::set<std::string> folders;
    std::map<std::string, std::string> files;
};
TreeOnDisk treeOnDisk(const std::string& root, const std::set<std::string>& closed = {});

// Checks root's pair against treeOnDisk: every folder once, breadth-first; every file once,
// grouped by folder; both stamps within [builtFrom, builtUntil].
void expectPairMatchesTree(const std::string& indexes, const std::string& root, std::time_t builtFrom,
                           std::time_t builtUntil, const std::set<std::string>& closed = {});

// Escapes, control bytes, bad UTF-8, hidden files, links, empty and deep folders, midnight, noon, afternoon.
void buildAwkwardTree(const TempTree& tree);

} // namespace zephrix::test
