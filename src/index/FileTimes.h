#pragma once
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

namespace zephrix {

// What the index asks of statx for every file.
constexpr unsigned FileDetailsMask = STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME;
// Never follow a link (a link is listed with its own details) and never
// trigger an automount while only looking.
constexpr int FileDetailsFlags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;

// The creation date: the birth time where the file system records one. Disk
// images often carry a birth time of exactly 0, which means none.
inline std::time_t creationSeconds(const struct statx& details)
{
    const bool hasBirth =
        (details.stx_mask & STATX_BTIME) && (details.stx_btime.tv_sec != 0 || details.stx_btime.tv_nsec != 0);
    return hasBirth ? details.stx_btime.tv_sec : details.stx_mtime.tv_sec;
}

inline std::time_t modificationSeconds(const struct statx& details)
{
    return details.stx_mtime.tv_sec;
}

} // namespace zephrix
