#include "core/LongPath.h"

#include <limits.h>

#include <cerrno>

namespace zephrix {
namespace {

// A component longer than this cannot exist, so such a path is refused
// rather than opened in pieces.
bool hasOverlongComponent(const std::string& path)
{
    size_t start = 0;
    while (start < path.size()) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        if (slash - start > NAME_MAX)
            return true;
        start = slash + 1;
    }
    return false;
}

int openFolderPiece(int dirFd, const char* piece)
{
    return ::openat(dirFd, piece, O_PATH | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

FileDescriptor openInPieces(int dirFd, const std::string& path, const PieceOpener& openPiece)
{
    if (path.size() < PATH_MAX) {
        FileDescriptor whole(openPiece(dirFd, path.c_str(), true));
        if (whole.isOpen() || errno != ENAMETOOLONG)
            return whole;
    }
    if (hasOverlongComponent(path)) {
        errno = ENAMETOOLONG;
        return FileDescriptor();
    }

    FileDescriptor folder;
    int at = dirFd;
    std::string piece;
    size_t start = 0;
    while (path.size() - start >= PATH_MAX) {
        // The longest run of whole components that fits. Components are at
        // most NAME_MAX bytes, so there is always one.
        const size_t cut = path.rfind('/', start + PATH_MAX - 1);
        if (cut == std::string::npos || cut <= start) {
            errno = ENAMETOOLONG;
            return FileDescriptor();
        }
        piece.assign(path, start, cut - start);
        FileDescriptor next(openPiece(at, piece.c_str(), false));
        if (!next.isOpen())
            return next;
        folder = std::move(next);
        at = folder.get();
        start = cut;
        while (start < path.size() && path[start] == '/')
            ++start;
    }
    // A path that ended in '/' names the folder reached.
    return FileDescriptor(openPiece(at, start == path.size() ? "." : path.c_str() + start, true));
}

FileDescriptor openAnyLength(int dirFd, const std::string& path, int flags, mode_t mode)
{
    return openInPieces(dirFd, path, [flags, mode](int at, const char* piece, bool last) {
        return last ? ::openat(at, piece, flags, mode) : openFolderPiece(at, piece);
    });
}

int statxAnyLength(int dirFd, const std::string& path, int flags, unsigned mask, struct statx& details)
{
    if (path.size() < PATH_MAX) {
        if (::statx(dirFd, path.c_str(), flags, mask, &details) == 0)
            return 0;
        if (errno != ENAMETOOLONG)
            return errno;
    }
    // The folder that holds the last component, opened in pieces, then the
    // component looked up in it; a trailing '/' stays with the component.
    size_t end = path.size();
    while (end > 1 && path[end - 1] == '/')
        --end;
    const size_t slash = path.rfind('/', end - 1);
    if (slash == std::string::npos)
        return ENAMETOOLONG; // one component that long cannot exist
    const FileDescriptor parent =
        openInPieces(dirFd, path.substr(0, slash == 0 ? 1 : slash),
                     [](int at, const char* piece, bool) { return openFolderPiece(at, piece); });
    if (!parent.isOpen())
        return errno;
    if (::statx(parent.get(), path.c_str() + slash + 1, flags, mask, &details) != 0)
        return errno;
    return 0;
}

} // namespace zephrix
