#include "core/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "core/ErrorCodes.h"

namespace zephrix {

FileDescriptor openRegularFile(const std::string& path, int& error)
{
    error = 0;
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (!file.isOpen() || ::fstat(file.get(), &st) != 0) {
        error = errno;
        return FileDescriptor();
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? EISDIR : ErrorNumbers::NotRegularFile;
        return FileDescriptor();
    }
    return file;
}

} // namespace zephrix
