#pragma once
#include <fcntl.h>
#include <sys/stat.h>

#include <functional>
#include <string>

#include "core/FileDescriptor.h"

namespace zephrix {

// Opening and looking up paths of any length. The kernel refuses a path text
// of PATH_MAX bytes or more (ENAMETOOLONG) however real the file is, and a
// tree can be far deeper than that. These calls try the whole path first, so
// the usual path costs the one system call; only a refused one is opened a
// piece at a time: each piece the longest run of whole components the kernel
// takes, opened from the folder the piece before reached. Links inside a
// piece are followed exactly as the whole path would have followed them.

// How one piece is opened: piece is relative to dirFd (or absolute); a
// folder on the way is asked for with last false and must come back as a
// descriptor of that folder (O_PATH | O_DIRECTORY will do). Returns the new
// descriptor, or -1 with errno set.
using PieceOpener = std::function<int(int dirFd, const char* piece, bool last)>;

// Opens path relative to dirFd through openPiece. -1 with errno set.
FileDescriptor openInPieces(int dirFd, const std::string& path, const PieceOpener& openPiece);

// openat(dirFd, path, flags, mode) for a path of any length.
FileDescriptor openAnyLength(int dirFd, const std::string& path, int flags, mode_t mode = 0);

// statx(dirFd, path, flags, mask, &details) for a path of any length: 0, or
// the errno of the failure.
int statxAnyLength(int dirFd, const std::string& path, int flags, unsigned mask, struct statx& details);

} // namespace zephrix
