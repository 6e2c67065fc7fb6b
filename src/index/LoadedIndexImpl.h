#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "index/LoadedIndex.h"

namespace zephrix {

// The loaded pair: both files' text in two buffers, names and folder texts
// decoded in place, and per entry one fixed-size record of positions into the
// entries buffer. Nothing is allocated per field.
struct LoadedIndex::Impl {
    // Field lengths are bounded by the line form (a name is at most 255 bytes,
    // three times that escaped); a stored line past these limits is refused
    // by the loader rather than truncated.
    static constexpr size_t MaxFieldOffset = UINT16_MAX;

    struct Record {
        const char* name; // start of the line; the name comes first
        uint32_t folderIndex;
        uint16_t nameLength; // decoded
        uint16_t sizeOffset; // from name; created and modified follow size, one '|' apart
        uint16_t sizeLength;
        uint16_t createdLength;
        uint16_t modifiedLength;
        uint16_t completed; // 1: the details live in `completions`
    };
    static_assert(sizeof(Record) == 24);

    struct Completion {
        std::string size;
        std::string created;
        std::string modified;
    };

    std::unique_ptr<char[]> entriesText;
    std::unique_ptr<char[]> foldersText;
    std::vector<Record> records;
    std::vector<std::string_view> folders;
    std::unordered_map<size_t, Completion> completions;

    size_t tableBytes() const;
    size_t entriesTextSize = 0;
    size_t foldersTextSize = 0;
};

} // namespace zephrix
