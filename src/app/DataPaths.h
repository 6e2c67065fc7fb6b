#pragma once
#include <string>

namespace zephrix {

// Folder that holds `indexes`: $ZEPHRIX_DATA_DIR when set; else the
// executable's folder when it is writable and not the folder the program is
// installed into (a build tree or a portable copy); else
// $XDG_DATA_HOME/Zephrix (default ~/.local/share/Zephrix).
std::string dataFolder();
// The same choice for an executable in `executableFolder` whose installed
// copy lives in `installedBinaries`.
std::string dataFolderFor(const std::string& executableFolder, const std::string& installedBinaries);
std::string indexesFolder();
// Creates the indexes folder (and its parents) when missing. On failure the
// description and the errno value are given back where asked for.
bool ensureIndexesFolder(std::string* error = nullptr, int* errorNumber = nullptr);

// The help pages: `help` beside the executable, else the installed data folder.
std::string helpFolder();

std::string executableFolder();

} // namespace zephrix
