#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace zephrix {

// A file's whole content in one buffer, read in large blocks. error is 0 on
// success, else the errno of the failed call (ENOENT: no such file).
struct WholeFile {
    std::unique_ptr<char[]> text;
    size_t size = 0;
    int error = 0;
};

WholeFile readWholeFile(const std::string& path);

// The size to read the whole open file into: one byte more than it has, so
// that its end is seen without growing the buffer. 0 with errno set when it
// cannot be read as a file (EISDIR for a folder).
size_t readingCapacity(int fd);

// Up to maxBytes from the start of the file, for reading a first line. Only
// a regular file is read (see openRegularFile).
WholeFile readFileHead(const std::string& path, size_t maxBytes);

} // namespace zephrix
