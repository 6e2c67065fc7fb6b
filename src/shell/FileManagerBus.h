#pragma once
#include <chrono>
#include <string>

namespace zephrix {

// The user's file manager, reached over the session bus through the shared
// org.freedesktop.FileManager1 interface.
namespace FileManagerBus {

// How long a call may take before the file manager counts as absent: long
// enough for a running one to answer, short enough to fall back at once.
inline constexpr std::chrono::milliseconds CallTimeout{2500};

enum class Answer {
    Done,      // the file manager took the request
    NoService, // no session bus, or nothing owns or can start the name
    Refused,   // it answered with an error
    NoAnswer,  // it did not answer in time
};

// Opens a window on the folder.
Answer showFolder(const std::string& path, std::chrono::milliseconds timeout = CallTimeout);
// Shows the file manager's properties of the file or folder.
Answer showItemProperties(const std::string& path, std::chrono::milliseconds timeout = CallTimeout);

} // namespace FileManagerBus

} // namespace zephrix
