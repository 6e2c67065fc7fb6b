#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zephrix {

// One file entry of the loaded index. The views point into the LoadedIndex
// and stay valid until the next load, clear or completeEntry of that row.
struct IndexEntry {
    std::string_view name;     // decoded file name
    uint32_t folderIndex = 0;  // always names an existing folder
    std::string_view size;     // decimal bytes as stored; may be empty
    std::string_view created;  // date text as stored
    std::string_view modified; // date text as stored
};

// The in-memory index (IndexEntries and IndexFolders): one drive's or one
// folder's pair at a time, in file order.
class LoadedIndex {
  public:
    LoadedIndex();
    ~LoadedIndex();
    LoadedIndex(const LoadedIndex&) = delete;
    LoadedIndex& operator=(const LoadedIndex&) = delete;

    size_t entryCount() const;
    IndexEntry entry(size_t row) const;

    size_t folderCount() const;
    // Folder k: a full path ending in '/', decoded; folder 0 is the root.
    std::string_view folder(size_t k) const;

    // Replaces the last three fields of one row in memory only (the details
    // read from the file system when the stored size is empty).
    void completeEntry(size_t row, std::string_view size, std::string_view created,
                       std::string_view modified);

    // Drops everything and gives the memory back.
    void clear();

    // Bytes held by the tables (texts, records, folder list, completions).
    size_t memoryBytes() const;

    struct Impl;

  private:
    friend class IndexLoader;
    Impl* impl_;
};

} // namespace zephrix
