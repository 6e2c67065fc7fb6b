#include "core/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/FileDescriptor.h"
#include "core/RegularFile.h"

namespace zephrix {

WholeFile readWholeFile(const std::string& path)
{
    WholeFile file;
    FileDescriptor handle(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (handle.get() < 0) {
        file.error = errno;
        return file;
    }
    // The size may change while we read; the buffer grows if the file does.
    size_t capacity = readingCapacity(handle.get());
    if (capacity == 0) {
        file.error = errno;
        return file;
    }
    file.text.reset(new char[capacity]);
    for (;;) {
        const ssize_t got = readFully(handle.get(), file.text.get() + file.size, capacity - file.size);
        if (got < 0) {
            file.error = errno;
            file.text.reset();
            file.size = 0;
            return file;
        }
        file.size += static_cast<size_t>(got);
        if (file.size < capacity)
            return file;
        const size_t grown = capacity * 2;
        std::unique_ptr<char[]> bigger(new char[grown]);
        std::memcpy(bigger.get(), file.text.get(), file.size);
        file.text = std::move(bigger);
        capacity = grown;
    }
}

size_t readingCapacity(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return 0;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return 0;
    }
    return static_cast<size_t>(st.st_size) + 1;
}

WholeFile readFileHead(const std::string& path, size_t maxBytes)
{
    WholeFile file;
    const FileDescriptor handle = openRegularFile(path, file.error);
    if (!handle.isOpen())
        return file;
    file.text.reset(new char[maxBytes]);
    const ssize_t got = readFully(handle.get(), file.text.get(), maxBytes);
    if (got < 0) {
        file.error = errno;
        return file;
    }
    file.size = static_cast<size_t>(got);
    return file;
}

} // namespace zephrix
