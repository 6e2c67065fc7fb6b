#pragma once
#include <string>

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

    // Lines are appended here; flushIfFull() writes once a buffer's worth is
    // held, so no line is ever split across two write calls' worth of state.
    std::string& buffer() { return buffer_; }
    bool flushIfFull() { return buffer_.size() < BufferSize || flush(); }

    // Writes what is buffered and closes the temporary.
    bool close();
    // Renames the closed temporary over the final name.
    bool commit();
    // Closes and deletes the temporary.
    void discard();

    int error() const { return error_; }
    const std::string& temporaryPath() const { return temporaryPath_; }

  private:
    bool flush();

    std::string finalPath_;
    std::string temporaryPath_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
};

} // namespace zephrix
