#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "shell/DesktopEntry.h"
#include "shell/FileManagerBus.h"

namespace zephrix {

enum class OpenResult {
    Opened,
    NoApplication, // nothing on the desktop opens this kind of file
    LaunchFailed,  // an application was found but could not be started
};

// Starts the desktop entry's program for `target` (one argument, whatever it
// holds), in a terminal when the entry asks for one. 0, or the errno.
int launchApplication(const DesktopEntry& entry, const std::string& target);

// Opens the file in the default application of the first of its types
// (a type, its aliases and parents) that has one.
OpenResult openWithDefaultApplication(const std::string& path, const std::vector<std::string>& mimeTypes);

// Opens a window of the user's file manager on the folder: over the session
// bus when a file manager answers there in time, else with xdg-open, else
// with the default application for folders.
OpenResult openFolderWindow(const std::string& path,
                            std::chrono::milliseconds busTimeout = FileManagerBus::CallTimeout);

// Opens a page (a local file or a web address) in the browser through the
// desktop's opener, xdg-open; without one, through the default application
// for web pages.
OpenResult openInBrowser(const std::string& target);

} // namespace zephrix
