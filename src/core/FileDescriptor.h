#pragma once
#include <cstddef>

#include <unistd.h>

namespace zephrix {

// Owns one open file descriptor and closes it when it goes out of scope, so
// every early return of a walk, load, scan or write leaves nothing open.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        reset(other.release());
        return *this;
    }

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Gives the descriptor up without closing it.
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes now, for a writer that must know: some file systems report a
    // failed write only here. False with errno set.
    bool close() { return ::close(release()) == 0; }

  private:
    int fd_;
};

// Reads until `size` bytes are in or the file ends, going on after
// interrupted reads. Returns the bytes read, or -1 with errno set.
ssize_t readFully(int fd, char* buffer, size_t size);

// Writes all `size` bytes, going on after interrupted and partial writes.
// False with errno set when a write fails.
bool writeFully(int fd, const char* data, size_t size);

} // namespace zephrix
