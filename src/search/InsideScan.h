#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EngineHost.h"
#include "search/SearchLimits.h"

namespace zephrix {

// Receives the whole text of the progress label (lblNotes).
using NotesFn = std::function<void(const std::string& text)>;
// Asked after every piece's yield: true stops the scan (Cancel Search).
using CancelledFn = std::function<bool()>;

// Files are read in pieces of SearchLimits::InsidePieceSize bytes; the text
// is looked for in the last piece together with what is needed of the one
// before, so an occurrence that straddles two pieces is found while memory
// stays bounded.
using SearchLimits::InsidePieceSize;

// Only files whose type occurs in the list of searchable types (compared
// without regard to case, the list taken as one text) are opened: with
// "txt doc html" a file of type htm or t is scanned, one of type xml is not.
// A file without an extension never is.
bool IsInsideScanType(std::string_view rowType, std::string_view insideTypes);

// Looks for one text in files, reusing its buffers from file to file.
class InsideScanner {
  public:
    // True when text occurs in the file at fullPath, byte for byte when
    // caseSensitive, else after case folding. fileName is what the progress
    // label shows. A file that cannot be opened or read, or that is not a
    // regular file, does not contain the text; nor does a symbolic link,
    // which is checked as itself, the entry the index lists, never as the
    // file it points to. A scan that cancelled() stops after a piece finds
    // nothing.
    bool scan(const std::string& fullPath, std::string_view fileName, std::string_view text,
              bool caseSensitive, const NotesFn& setNotes, const YieldFn& yield,
              const CancelledFn& cancelled = {});

  private:
    std::string foldedText_;
    std::vector<char> window_; // kept tail of the previous piece, then the new piece
    std::vector<char> folded_; // the window folded, when case does not matter
};

bool ScanFileForText(const std::string& fullPath, std::string_view fileName, std::string_view text,
                     bool caseSensitive, const NotesFn& setNotes, const YieldFn& yield,
                     const CancelledFn& cancelled = {});

} // namespace zephrix
