#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "index/LoadedIndexImpl.h"

namespace zephrix {

// Turns the lines of an entries file into records, piece by piece as the
// file is read, so each piece is parsed while it is still in the cache.
// Names are decoded in place; the other fields are only located.
class EntryLineParser {
  public:
    static constexpr int YieldEveryLines = 1000;

    EntryLineParser(LoadedIndex::Impl& loaded, const std::function<void()>& yield)
        : loaded_(loaded), yield_(yield)
    {
    }

    // Parses the lines in [from, to) of loaded.entriesText; `to` is just past
    // a line feed, or the end of the file. The stamp line must be left out.
    // False at the first bad line; problem() then says what and where.
    bool parse(size_t from, size_t to);

    // Line number (the stamp is line 1) and description of the bad line;
    // errno set when memory for the records ran out instead.
    size_t failedLine() const { return lineNumber_; }
    const char* problem() const { return problem_; }
    int memoryError() const { return memoryError_; }

    // The largest FolderIndex of any record: one pass less over the records
    // when checking that each names a folder.
    uint32_t largestFolderIndex() const { return largestFolder_; }

  private:
    LoadedIndex::Impl& loaded_;
    const std::function<void()>& yield_;
    size_t lineNumber_ = 1;
    int untilYield_ = YieldEveryLines;
    uint32_t largestFolder_ = 0;
    const char* problem_ = nullptr;
    int memoryError_ = 0;
};

// Decodes the folder lines after the stamp of loaded.foldersText into
// loaded.folderPages. False at the first line with an invalid escape, whose
// line number is stored in failedLine; or, with failedLine 0 and errno set,
// when memory for the table ran out.
bool parseFolderLines(LoadedIndex::Impl& loaded, const std::function<void()>& yield, size_t& failedLine);

} // namespace zephrix
