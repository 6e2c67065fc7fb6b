#include "results/EntryRemoval.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <vector>

#ifndef STATX_MNT_ID
#define STATX_MNT_ID 0x00001000U
#endif
#ifndef STATX_ATTR_MOUNT_ROOT
#define STATX_ATTR_MOUNT_ROOT 0x00002000
#endif

namespace zephrix {

// What identifies a folder on disk, and the file system it lies on.
struct EntryIdentity {
    mode_t mode = 0;
    uint64_t inode = 0;
    uint32_t devMajor = 0, devMinor = 0;
    uint64_t mountId = 0;
    bool hasMountId = false;
    bool mountRoot = false;

    bool isLink() const { return S_ISLNK(mode); }
    bool isFolder() const { return S_ISDIR(mode); }
    bool sameFileSystem(const EntryIdentity& other) const
    {
        if (devMajor != other.devMajor || devMinor != other.devMinor || mountRoot)
            return false;
        // A bind mount of the same file system keeps the device: only the
        // mount ID tells it apart.
        return !(hasMountId && other.hasMountId && mountId != other.mountId);
    }
    bool sameEntry(const EntryIdentity& other) const
    {
        return inode == other.inode && devMajor == other.devMajor && devMinor == other.devMinor;
    }
};

namespace {

// errno: 0 on success.
int identify(int folder, const char* name, EntryIdentity& out)
{
    struct statx sx {};
    const int flags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | (*name ? 0 : AT_EMPTY_PATH);
    if (::statx(folder, name, flags, STATX_TYPE | STATX_MODE | STATX_INO | STATX_MNT_ID, &sx) != 0)
        return errno;
    out.mode = sx.stx_mode;
    out.inode = sx.stx_ino;
    out.devMajor = sx.stx_dev_major;
    out.devMinor = sx.stx_dev_minor;
    out.hasMountId = (sx.stx_mask & STATX_MNT_ID) != 0;
    out.mountId = out.hasMountId ? sx.stx_mnt_id : 0;
    out.mountRoot =
        (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return 0;
}

// What rm calls write-protected, plus the read-only mark that even root
// cannot ignore here: no write bit at all.
bool writeProtected(int folder, const char* name, mode_t mode)
{
    if ((mode & 0222) == 0)
        return true;
    return ::faccessat(folder, name, W_OK, AT_EACCESS) != 0;
}

// Names of a folder's entries, read in full before any is removed.
bool readNames(int folder, std::vector<std::string>& names)
{
    const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0)
        return false;
    DIR* listing = ::fdopendir(copy);
    if (!listing) {
        ::close(copy);
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))))
            names.emplace_back(name);
    }
    const bool complete = errno == 0;
    ::closedir(listing);
    return complete;
}

bool removed(int status)
{
    return status == 0 || errno == ENOENT;
}

} // namespace

EntryRemover::EntryRemover(std::function<void()> yield, unsigned yieldEvery)
    : yield_(std::move(yield)), yieldEvery_(yieldEvery ? yieldEvery : 1)
{
}

void EntryRemover::tick()
{
    if (yield_ && ++sinceYield_ >= yieldEvery_) {
        sinceYield_ = 0;
        yield_();
    }
}

int EntryRemover::openParent(const std::string& folder, int& error)
{
    if (parent_.get() < 0 || parentPath_ != folder) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        error = fd < 0 ? errno : 0;
        parent_.reset(fd);
        parentPath_ = folder;
    }
    return parent_.get();
}

bool EntryRemover::remove(const std::string& folder, const std::string& name, bool isFolder)
{
    tick();
    if (folder.empty() || folder[0] != '/' || name.empty() || name == "." || name == ".." ||
        name.find('/') != std::string::npos)
        return false;
    int error = 0;
    const int parent = openParent(folder, error);
    if (parent < 0)
        return error == ENOENT; // the folder itself is gone, and the entry with it
    EntryIdentity entry;
    if ((error = identify(parent, name.c_str(), entry)) != 0)
        return error == ENOENT;
    EntryIdentity holder;
    if (identify(parent, "", holder) != 0 || writeProtected(parent, ".", holder.mode))
        return false;
    if (entry.isLink())
        return removed(::unlinkat(parent, name.c_str(), 0));
    if (entry.isFolder() != isFolder)
        return false;
    if (!entry.isFolder())
        return !writeProtected(parent, name.c_str(), entry.mode) &&
               removed(::unlinkat(parent, name.c_str(), 0));
    // A folder that is a mount point is a drive of its own, never emptied.
    if (!entry.sameFileSystem(holder) || writeProtected(parent, name.c_str(), entry.mode))
        return false;
    if (!removeFolderContent(parent, name, entry))
        return false;
    return removed(::unlinkat(parent, name.c_str(), AT_REMOVEDIR));
}

bool EntryRemover::removeFolderContent(int parent, const std::string& name, const EntryIdentity& expected)
{
    struct Frame {
        FileDescriptor fd;
        std::string name; // in the folder below it on the stack
        std::vector<std::string> entries;
        size_t next = 0;
        bool keep = false; // something in it stays
    };
    // Opens a folder met in the walk, or says why it stays.
    auto open = [&](int folder, const std::string& child, const EntryIdentity& seen,
                    std::deque<Frame>& stack) {
        FileDescriptor fd(::openat(folder, child.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        EntryIdentity opened;
        // Re-checked after opening: a folder swapped for another between the
        // look and the open is not walked.
        if (fd.get() < 0 || identify(fd.get(), "", opened) != 0 || !opened.sameEntry(seen) ||
            !opened.sameFileSystem(expected))
            return false;
        Frame& frame = stack.emplace_back();
        frame.name = child;
        frame.keep = !readNames(fd.get(), frame.entries);
        frame.fd.reset(fd.get());
        fd.release();
        return true;
    };

    // A deque: frames stay where they are while deeper ones are added.
    std::deque<Frame> stack;
    if (!open(parent, name, expected, stack))
        return false;
    while (true) {
        Frame& top = stack.back();
        if (top.next == top.entries.size()) {
            const bool emptied = !top.keep;
            const std::string child = std::move(top.name);
            stack.pop_back();
            if (stack.empty())
                return emptied;
            Frame& holder = stack.back();
            if (!emptied || !removed(::unlinkat(holder.fd.get(), child.c_str(), AT_REMOVEDIR)))
                holder.keep = true;
            continue;
        }
        const std::string& child = top.entries[top.next++];
        tick();
        EntryIdentity seen;
        if (const int error = identify(top.fd.get(), child.c_str(), seen)) {
            top.keep |= error != ENOENT;
            continue;
        }
        if (seen.isLink()) {
            top.keep |= !removed(::unlinkat(top.fd.get(), child.c_str(), 0));
        } else if (seen.isFolder()) {
            if (!seen.sameFileSystem(expected) || writeProtected(top.fd.get(), child.c_str(), seen.mode) ||
                !open(top.fd.get(), child, seen, stack))
                stack.back().keep = true;
        } else if (writeProtected(top.fd.get(), child.c_str(), seen.mode) ||
                   !removed(::unlinkat(top.fd.get(), child.c_str(), 0))) {
            top.keep = true;
        }
    }
}

} // namespace zephrix
