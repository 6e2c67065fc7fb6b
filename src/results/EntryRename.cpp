#include "results/EntryRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "core/FileDescriptor.h"

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace zephrix {
namespace {

int renameNoReplace(int folder, const char* from, const char* to)
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    return ::renameat2(folder, from, folder, to, RENAME_NOREPLACE);
#else
    return int(::syscall(SYS_renameat2, folder, from, folder, to, RENAME_NOREPLACE));
#endif
}

// For file systems without the no-replace flag (network file systems among
// them): a hard link cannot replace anything either, so a file is linked
// under the new name and then unlinked under the old one. Folders, and file
// systems without hard links, get a look first and a plain rename after it.
int renameByLinking(int folder, const char* from, const char* to)
{
    struct stat source {};
    if (::fstatat(folder, from, &source, AT_SYMLINK_NOFOLLOW) != 0)
        return -1;
    if (!S_ISDIR(source.st_mode)) {
        if (::linkat(folder, from, folder, to, 0) == 0) {
            if (::unlinkat(folder, from, 0) == 0)
                return 0;
            const int error = errno;
            ::unlinkat(folder, to, 0);
            errno = error;
            return -1;
        }
        if (errno == EEXIST || errno == ENOENT)
            return -1;
    }
    struct stat taken {};
    if (::fstatat(folder, to, &taken, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(folder, from, folder, to);
}

} // namespace

NameProblem checkNewName(std::string_view name)
{
    if (name.empty())
        return NameProblem::Empty;
    if (name.find('\0') != std::string_view::npos)
        return NameProblem::HasNul;
    if (name.find('/') != std::string_view::npos)
        return NameProblem::HasSlash;
    if (name == "." || name == "..")
        return NameProblem::Reserved;
    if (name.size() > NAME_MAX)
        return NameProblem::TooLong;
    return NameProblem::None;
}

RenameOutcome renameWithoutReplacing(const std::string& folder, const std::string& oldName,
                                     const std::string& newName)
{
    if (checkNewName(newName) != NameProblem::None)
        return {RenameResult::InvalidName};
    if (checkNewName(oldName) != NameProblem::None)
        return {RenameResult::EntryGone};
    FileDescriptor parent(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (parent.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? RenameOutcome{RenameResult::EntryGone}
                                                   : RenameOutcome{RenameResult::Failed, errno};
    int status = renameNoReplace(parent.get(), oldName.c_str(), newName.c_str());
    if (status != 0 && (errno == EINVAL || errno == ENOSYS))
        status = renameByLinking(parent.get(), oldName.c_str(), newName.c_str());
    if (status == 0)
        return {RenameResult::Renamed};
    switch (errno) {
    case EEXIST:
    case ENOTEMPTY:
        return {RenameResult::NameTaken};
    case ENOENT:
        return {RenameResult::EntryGone};
    default:
        return {RenameResult::Failed, errno};
    }
}

} // namespace zephrix
