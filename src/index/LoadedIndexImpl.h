#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "index/EntryRecord.h"
#include "index/LoadedIndex.h"
#include "index/ReservedPages.h"

namespace zephrix {

// The loaded pair: both files' text in two buffers, names and folder texts
// decoded in place, and per entry one fixed-size record of positions into the
// entries buffer. Nothing is allocated per field.
struct LoadedIndex::Impl {
    // Field lengths are bounded by the line form (a name is at most 255 bytes,
    // three times that escaped); a stored line past these limits is refused
    // by the loader rather than truncated.
    static constexpr size_t MaxFieldOffset = UINT16_MAX;

    using Record = EntryRecord;

    struct Completion {
        std::string size;
        std::string created;
        std::string modified;
    };

    // Both grow in place while the entries file is read, so the records can
    // be made while the text they point into is still in the cache.
    ReservedPages entriesText;
    ReservedPages recordPages;
    size_t entriesTextSize = 0;
    size_t recordCount = 0;

    // Small as they are, they get the same pages: on virtual machines a
    // first touch of a small page costs more than clearing a huge one.
    ReservedPages foldersText;
    ReservedPages folderPages; // folder texts as string_views into foldersText
    size_t foldersTextSize = 0;
    size_t folderCount = 0;
    std::unordered_map<size_t, Completion> completions;

    // Every decoded name once more, in row order, each ended by a NUL: a
    // search that tests names only reads this instead of every line
    // (LoadedIndex::nameText). Made while the lines are parsed, and dropped
    // (nameTextKept false) when memory for it runs out or the tables would
    // pass their bound with it.
    ReservedPages nameText;
    size_t nameTextSize = 0;
    bool nameTextKept = false;
    size_t namedRows = SIZE_MAX; // rows before the first with an empty name

    const Record* records() const { return reinterpret_cast<const Record*>(recordPages.data()); }
    Record* records() { return reinterpret_cast<Record*>(recordPages.data()); }
    const char* lineText(const Record& record) const { return entriesText.data() + record.line; }
    const std::string_view* folders() const
    {
        return reinterpret_cast<const std::string_view*>(folderPages.data());
    }

    // Room for `total` records in all; false with errno set when memory runs
    // out.
    bool roomForRecords(size_t total);
    // Room for `total` bytes of names and the padding after them; drops the
    // name text instead when memory runs out, since the search can do without.
    void roomForNames(size_t total);
    // Pads the name text after the last name, or drops it when the tables
    // would pass tableBound() with it.
    void finishNameText();
    size_t tableBytes() const;
    // What the tables of a load may take: one and a half times the entries
    // file (its text, the names again, the folders) and one record per entry.
    size_t tableBound() const { return entriesTextSize * 3 / 2 + sizeof(Record) * recordCount; }
};

} // namespace zephrix
