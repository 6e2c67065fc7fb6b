#include "search/InsideScan.h"

#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/FileDescriptor.h"
#include "core/LongPath.h"
#include "core/TextFold.h"

namespace zephrix {
namespace {

bool occursIn(const char* data, size_t size, std::string_view text)
{
    if (text.empty())
        return true;
    return ::memmem(data, size, text.data(), text.size()) != nullptr;
}

} // namespace

bool IsInsideScanType(std::string_view rowType, std::string_view insideTypes)
{
    return !rowType.empty() && containsIgnoringCase(insideTypes, rowType);
}

bool InsideScanner::scan(const std::string& fullPath, std::string_view fileName, std::string_view text,
                         bool caseSensitive, const NotesFn& setNotes, const YieldFn& yield,
                         const CancelledFn& cancelled)
{
    const std::string scanning = "Scanning: " + std::string(fileName);
    setNotes(scanning);
    yield();

    // Non-blocking, so that a FIFO that took the name of an indexed file
    // cannot stall the search; only regular files are read, and a link is
    // not followed out of the tree to a file the index never listed.
    const FileDescriptor file =
        openAnyLength(AT_FDCWD, fullPath, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    const int fd = file.get();
    struct stat st {};
    if (!file.isOpen() || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        setNotes(std::string());
        return false;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    std::string_view needle = text;
    size_t keepLimit; // bytes of the previous window that an occurrence may start in
    if (caseSensitive) {
        keepLimit = text.empty() ? 0 : text.size() - 1;
    } else {
        foldedText_.clear();
        appendFolded(foldedText_, text);
        needle = foldedText_;
        // A folded character is at most three times shorter than the one it
        // came from (KELVIN SIGN becomes k).
        keepLimit = 3 * needle.size() + 3;
    }
    keepLimit = std::min(keepLimit, InsidePieceSize);
    // Room for a kept tail moved back to the start of its first character.
    window_.resize(std::min(keepLimit + 3, InsidePieceSize) + InsidePieceSize);
    if (!caseSensitive)
        folded_.resize(foldedCapacity(window_.size()));

    const uint64_t length = static_cast<uint64_t>(st.st_size);
    size_t kept = 0;
    bool found = false;
    uint64_t offset = 0;
    for (uint64_t piece = 1; offset < length; ++piece) {
        setNotes(scanning + " (" + std::to_string(piece * InsidePieceSize) + " of " + std::to_string(length) +
                 ")");
        yield();
        if (cancelled && cancelled())
            break;
        const ssize_t got = readFully(fd, window_.data() + kept, InsidePieceSize);
        if (got <= 0)
            break; // a read failure, or the file shrank under us
        offset += static_cast<uint64_t>(got);
        const size_t windowSize = kept + static_cast<size_t>(got);
        if (caseSensitive) {
            found = occursIn(window_.data(), windowSize, needle);
        } else {
            const size_t foldedSize = foldBytes(window_.data(), windowSize, folded_.data());
            found = occursIn(folded_.data(), foldedSize, needle);
        }
        if (found)
            break;
        // Occurrences that lie wholly in what was tested are already ruled
        // out, so only the bytes one could still start in are kept. Folding
        // needs the kept bytes to begin at a character, as long as they stay
        // within the last piece.
        size_t tailStart = windowSize - std::min(keepLimit, windowSize);
        if (!caseSensitive) {
            const size_t earliest = std::max(windowSize > InsidePieceSize ? windowSize - InsidePieceSize : 0,
                                             tailStart > 3 ? tailStart - 3 : 0);
            while (tailStart > earliest && (static_cast<unsigned char>(window_[tailStart]) & 0xC0) == 0x80)
                --tailStart;
        }
        kept = windowSize - tailStart;
        std::memmove(window_.data(), window_.data() + tailStart, kept);
    }
    setNotes(std::string());
    return found;
}

bool ScanFileForText(const std::string& fullPath, std::string_view fileName, std::string_view text,
                     bool caseSensitive, const NotesFn& setNotes, const YieldFn& yield,
                     const CancelledFn& cancelled)
{
    InsideScanner scanner;
    return scanner.scan(fullPath, fileName, text, caseSensitive, setNotes, yield, cancelled);
}

} // namespace zephrix
