#include "index/ReplacementFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "index/LiveTemporaries.h"

namespace zephrix {
namespace {

std::atomic<unsigned> temporaryCounter{0};

} // namespace

ReplacementFile::~ReplacementFile()
{
    discard();
}

bool ReplacementFile::open(const std::string& finalPath)
{
    discard();
    finalPath_ = finalPath;
    error_ = 0;
    // O_EXCL with a name of our own: never write through a link or into a
    // file some other build has open. The mode leaves the umask in charge, as
    // for any file the user creates.
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = finalPath + ".tmp." + std::to_string(::getpid()) + "." +
                         std::to_string(temporaryCounter.fetch_add(1));
        file_.reset(::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file_.isOpen()) {
            registerLiveTemporary(temporaryPath_);
            if (!buffer_) {
                buffer_.reset(new char[BufferSize]);
                capacity_ = BufferSize;
            }
            size_ = 0;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    error_ = errno;
    temporaryPath_.clear();
    return false;
}

char* ReplacementFile::makeRoom(size_t bytes)
{
    if (!flush())
        return nullptr;
    if (bytes > capacity_) {
        buffer_.reset(new char[bytes]);
        capacity_ = bytes;
    }
    return buffer_.get();
}

bool ReplacementFile::append(std::string_view text)
{
    char* out = reserve(text.size());
    if (!out)
        return false;
    std::memcpy(out, text.data(), text.size());
    written(out + text.size());
    return true;
}

bool ReplacementFile::flush()
{
    if (!file_.isOpen()) {
        error_ = EBADF;
        return false;
    }
    if (!writeFully(file_.get(), buffer_.get(), size_)) {
        error_ = errno;
        return false;
    }
    size_ = 0;
    return true;
}

bool ReplacementFile::syncData()
{
    while (::fdatasync(file_.get()) != 0) {
        if (errno == EINTR)
            continue;
        // Some file systems (pipes, a few FUSE ones) cannot sync; the data
        // still went through write() without error.
        if (errno == EINVAL || errno == EROFS)
            return true;
        error_ = errno;
        return false;
    }
    return true;
}

bool ReplacementFile::close()
{
    if (!file_.isOpen())
        return error_ == 0;
    // On disk before the rename: after a power cut the final name then holds
    // either the old file or the whole new one, never a short new one.
    const bool flushed = flush() && syncData();
    const bool closed = file_.close();
    if (flushed && !closed)
        error_ = errno;
    return flushed && closed;
}

bool ReplacementFile::commit()
{
    if (temporaryPath_.empty() || file_.isOpen() || error_ != 0)
        return false;
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        error_ = errno;
        return false;
    }
    forgetLiveTemporary(temporaryPath_);
    temporaryPath_.clear();
    return true;
}

void ReplacementFile::discard()
{
    file_.reset();
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        forgetLiveTemporary(temporaryPath_);
        temporaryPath_.clear();
    }
    buffer_.reset();
    size_ = capacity_ = 0;
}

} // namespace zephrix
