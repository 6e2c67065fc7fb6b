#include "index/DirectoryReader.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zephrix {
namespace {

constexpr size_t InitialCapacity = 256 << 10;
// Room for at least one record of the longest name before asking for more.
constexpr size_t MinimumRoom = 64 << 10;

} // namespace

DirectoryReader::DirectoryReader() : buffer_(new char[InitialCapacity]), capacity_(InitialCapacity)
{
}

int DirectoryReader::read(int dirFd)
{
    used_ = 0;
    for (;;) {
        if (capacity_ - used_ < MinimumRoom) {
            const size_t grown = capacity_ * 2;
            std::unique_ptr<char[]> bigger(new char[grown]);
            std::memcpy(bigger.get(), buffer_.get(), used_);
            buffer_ = std::move(bigger);
            capacity_ = grown;
        }
        const long got = ::syscall(SYS_getdents64, dirFd, buffer_.get() + used_, capacity_ - used_);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return 0;
        used_ += static_cast<size_t>(got);
    }
}

} // namespace zephrix
