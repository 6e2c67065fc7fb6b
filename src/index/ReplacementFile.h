#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/FileDescriptor.h"

namespace zephrix {

// A file written through a large buffer into a temporary beside its final
// name, which takes the final name only when commit() renames it there. Until
// then the old file (if any) stays as it was.
class ReplacementFile {
  public:
    static constexpr size_t BufferSize = 1 << 20;

    ReplacementFile() = default;
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary. False with error() set when it cannot.
    bool open(const std::string& finalPath);

    // Room for at least `bytes` more at the returned position (writing out
    // what is held when the buffer is full); nullptr with error() set when
    // that write fails. written() then takes the end of what was put there.
    char* reserve(size_t bytes)
    {
        if (capacity_ - size_ >= bytes)
            return buffer_.get() + size_;
        return makeRoom(bytes);
    }
    void written(const char* end) { size_ = static_cast<size_t>(end - buffer_.get()); }
    bool append(std::string_view text);

    // Writes what is buffered and closes the temporary.
    bool close();
    // Renames the closed temporary over the final name.
    bool commit();
    // Closes and deletes the temporary.
    void discard();

    int error() const { return error_; }
    const std::string& temporaryPath() const { return temporaryPath_; }

    // Deletes every temporary of finalPath in its folder: what builds that
    // were killed half-way left behind. Only for a caller that knows no
    // other writer of finalPath is running (it holds the pair's lock).
    // Returns how many were deleted.
    static int removeTemporariesOf(const std::string& finalPath);
    // Whether name is that of a temporary of the file named finalName.
    static bool isTemporaryOf(std::string_view name, std::string_view finalName);

  private:
    char* makeRoom(size_t bytes);
    bool flush();
    bool syncData();

    std::string finalPath_;
    std::string temporaryPath_;
    std::unique_ptr<char[]> buffer_;
    size_t size_ = 0;
    size_t capacity_ = 0;
    FileDescriptor file_;
    int error_ = 0;
};

} // namespace zephrix
