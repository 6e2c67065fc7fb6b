#pragma once
#include <cstdint>

namespace zephrix {

// One entry of the loaded index as the loader stores it: where its name is
// in the name text and its other fields in the entries text, in a fixed 24
// bytes, so nothing is allocated per entry or per field. The two offsets
// have 48 bits (256 TiB, more than an address space holds), each in two
// plain fields, so that the loader stores a record without reading it back.
struct EntryRecord {
    uint32_t detailsLow; // offset of the Size field; created and modified follow, one '|' apart
    uint16_t detailsHigh;
    uint16_t nameLength; // decoded
    uint32_t nameLow;    // offset of the name
    uint16_t nameHigh;
    uint16_t sizeLength;
    uint32_t folderIndex;
    uint16_t createdLength;
    uint16_t modifiedLength;

    uint64_t details() const { return detailsLow | uint64_t(detailsHigh) << 32; }
    uint64_t name() const { return nameLow | uint64_t(nameHigh) << 32; }
};
static_assert(sizeof(EntryRecord) == 24);

} // namespace zephrix
