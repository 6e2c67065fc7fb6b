#pragma once
#include <string>

#include "core/FileDescriptor.h"

namespace zephrix {

// Opens an existing file for reading without ever waiting on it: the open is
// non-blocking, so a FIFO in the file's place cannot hold it until some
// writer comes, and anything but a regular file is then refused (a FIFO,
// socket or device has no end to read to). error is 0, the errno of the
// failed call, EISDIR for a folder, or ErrorNumbers::NotRegularFile.
FileDescriptor openRegularFile(const std::string& path, int& error);

} // namespace zephrix
