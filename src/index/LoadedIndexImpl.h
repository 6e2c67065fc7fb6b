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

// The loaded pair: the entries file's text, which keeps its stamp line and
// each line's size and dates while the names move to a text of their own;
// the folders file's text with the folders decoded in place; and per entry
// one fixed-size record of positions into the two entries texts. Nothing is
// allocated per field.
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

    // All three grow in place while the entries file is read, so the
    // records can be made while the text they point into is still in the
    // cache. The file is read into entriesText, whose front the lines' sizes
    // and dates are then moved down to, one after another, as each line is
    // parsed: the names leave it for nameText.
    ReservedPages entriesText;
    ReservedPages recordPages;
    size_t entriesTextSize = 0; // what was read: the file's size
    size_t detailsEnd = 0;      // the end of the stamp line and the details moved down
    size_t recordCount = 0;

    // Every decoded name, in row order, each ended by a NUL: a search that
    // tests names only reads this instead of every line (LoadedIndex::
    // nameText).
    ReservedPages nameText;
    size_t nameTextSize = 0;
    size_t namedRows = SIZE_MAX; // rows before the first with an empty name

    // Small as they are, they get the same pages: on virtual machines a
    // first touch of a small page costs more than clearing a huge one.
    ReservedPages foldersText;
    ReservedPages folderPages; // folder texts as string_views into foldersText
    size_t foldersTextSize = 0;
    size_t folderCount = 0;
    std::unordered_map<size_t, Completion> completions;

    const Record* records() const { return reinterpret_cast<const Record*>(recordPages.data()); }
    Record* records() { return reinterpret_cast<Record*>(recordPages.data()); }
    const std::string_view* folders() const
    {
        return reinterpret_cast<const std::string_view*>(folderPages.data());
    }

    // Room for `total` records in all; false with errno set when memory runs
    // out.
    bool roomForRecords(size_t total);
    // Room for `total` bytes of names and the padding after them; false with
    // errno set when memory runs out.
    bool roomForNames(size_t total);
    // Gives back the pages of the entries text past the details, and pads
    // the name text after the last name.
    void finishTexts();
    size_t tableBytes() const;
};

} // namespace zephrix
