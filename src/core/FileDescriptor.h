#pragma once
#include <cstddef>

#include <unistd.h>

namespace zephrix {

// Owns one open file descriptor and closes it when it goes out of scope, so
// every early return of a walk, load or scan leaves nothing open.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    void release() { fd_ = -1; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

  private:
    int fd_;
};

// Reads until `size` bytes are in or the file ends, going on after
// interrupted reads. Returns the bytes read, or -1 with errno set.
ssize_t readFully(int fd, char* buffer, size_t size);

} // namespace zephrix
