#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "index/EntryRecord.h"

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

    // The name and folder of row < entryCount(), inline: a search rejects
    // most entries on these alone. At least NamePadding readable bytes follow
    // every name, so a scan may read whole blocks past its end.
    static constexpr size_t NamePadding = 64;
    std::string_view entryName(size_t row) const
    {
        const EntryRecord& record = records_[row];
        return {nameText_ + record.name(), record.nameLength};
    }
    uint32_t entryFolder(size_t row) const { return records_[row].folderIndex; }

    // The names of all rows, one after another in row order, each ended by
    // a NUL byte (which no file name holds), then NameTextPadding readable
    // bytes: a search that tests names alone reads this text, a quarter of
    // the entries file, instead of every line. Null when nothing is loaded.
    static constexpr size_t NameTextPadding = 320;
    const char* nameText() const { return nameText_; }
    // Rows before the first one whose name is empty, where a search's walk
    // of the entries ends.
    size_t namedRows() const;

    size_t folderCount() const;
    // Folder k: a full path ending in '/', decoded; folder 0 is the root.
    // At least NameTextPadding readable bytes follow it.
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
    void install(Impl* loaded);

    Impl* impl_;
    // Copies of impl_'s table addresses for the inline accessors.
    const EntryRecord* records_ = nullptr;
    const char* nameText_ = nullptr;
};

} // namespace zephrix
