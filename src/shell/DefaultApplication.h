#pragma once
#include <optional>
#include <string>
#include <vector>

#include "shell/DesktopEntry.h"

namespace zephrix {

// The folders the desktop keeps its associations in, taken from the XDG
// variables (with their documented defaults) at the moment of the call, most
// important first.
struct XdgFolders {
    std::vector<std::string> configFolders; // $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS
    std::vector<std::string> dataFolders;   // $XDG_DATA_HOME, then $XDG_DATA_DIRS
    std::vector<std::string> desktops;      // $XDG_CURRENT_DESKTOP, lower-cased

    static XdgFolders fromEnvironment();
};

// The desktop's choice of application for a MIME type, as the shared
// mimeapps.list rules give it: the first installed [Default Applications]
// entry over the mimeapps.list files in order of importance; failing that,
// the most preferred associated application ([Added Associations], then the
// applications that list the type themselves, through mimeinfo.cache), minus
// [Removed Associations]. `mimeTypes` is a type followed by its aliases and
// the types it inherits from: defaults of all of them come before any mere
// association, as a file manager does it.
std::optional<DesktopEntry> defaultApplicationFor(const std::vector<std::string>& mimeTypes,
                                                  const XdgFolders& folders = XdgFolders::fromEnvironment());

// The installed desktop entry with this ID: the first applications folder
// that holds it decides (a hidden entry there hides the others).
std::optional<DesktopEntry> installedApplication(const std::string& id, const XdgFolders& folders);

// The file's MIME type by its name and content (read without following a
// final symbolic link to something that is not a file), then its aliases
// and the types it inherits from, nearest first.
std::vector<std::string> mimeTypesOfFile(const std::string& path);
// A type with its aliases and the types it inherits from.
std::vector<std::string> mimeTypeWithParents(const std::string& mimeType);

} // namespace zephrix
