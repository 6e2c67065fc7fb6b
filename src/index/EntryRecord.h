#pragma once
#include <cstdint>

namespace zephrix {

// One entry of the loaded index as the loader stores it: where its fields
// are in the entries text, in a fixed 24 bytes, so nothing is allocated per
// entry or per field.
struct EntryRecord {
    uint64_t line; // offset of the line in the entries text; the name comes first
    uint32_t folderIndex;
    uint16_t nameLength; // decoded
    uint16_t sizeOffset; // from name; created and modified follow size, one '|' apart
    uint16_t sizeLength;
    uint16_t createdLength;
    uint16_t modifiedLength;
    bool completed; // the details were replaced in memory
};
static_assert(sizeof(EntryRecord) == 24);

} // namespace zephrix
