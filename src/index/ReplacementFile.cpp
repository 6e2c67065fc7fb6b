#include "index/ReplacementFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "index/LiveTemporaries.h"

namespace zephrix {
namespace {

std::atomic<unsigned> temporaryCounter{0};

// A temporary is named after its final file: "<final>.tmp.<pid>.<count>".
constexpr std::string_view TemporaryMark = ".tmp.";

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

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
        temporaryPath_ = finalPath + std::string(TemporaryMark) + std::to_string(::getpid()) + "." +
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

bool ReplacementFile::isTemporaryOf(std::string_view name, std::string_view finalName)
{
    if (name.size() <= finalName.size() + TemporaryMark.size() || !name.starts_with(finalName) ||
        name.substr(finalName.size(), TemporaryMark.size()) != TemporaryMark)
        return false;
    const std::string_view numbers = name.substr(finalName.size() + TemporaryMark.size());
    const size_t dot = numbers.find('.');
    return dot != std::string_view::npos && allDigits(numbers.substr(0, dot)) &&
           allDigits(numbers.substr(dot + 1));
}

int ReplacementFile::removeTemporariesOf(const std::string& finalPath)
{
    const size_t slash = finalPath.rfind('/');
    const std::string folderPath = slash == std::string::npos ? "." : finalPath.substr(0, slash + 1);
    const std::string_view finalName = slash == std::string::npos
                                           ? std::string_view(finalPath)
                                           : std::string_view(finalPath).substr(slash + 1);
    DIR* folder = ::opendir(folderPath.c_str());
    if (!folder)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(folder)) {
        if (isTemporaryOf(entry->d_name, finalName) && ::unlinkat(::dirfd(folder), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(folder);
    return removed;
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
