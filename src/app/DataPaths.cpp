#include "app/DataPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace zephrix {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::string executableFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

std::string dataFolder()
{
    return dataFolderFor(executableFolder(), ZEPHRIX_INSTALLED_BINDIR);
}

std::string dataFolderFor(const std::string& executableFolder, const std::string& installedBinaries)
{
    std::string overridden = environment("ZEPHRIX_DATA_DIR");
    if (!overridden.empty())
        return overridden;
    // An installed copy run by root could write into the binaries folder;
    // indexes belong to the user who searches, not beside /usr/bin/zephrix.
    // The comparison is by file identity: /bin and /usr/bin are one folder.
    std::error_code ec;
    const bool installed = std::filesystem::equivalent(executableFolder, installedBinaries, ec);
    if (!installed && ::access(executableFolder.c_str(), W_OK) == 0)
        return executableFolder;
    std::string xdg = environment("XDG_DATA_HOME");
    if (xdg.empty())
        xdg = environment("HOME") + "/.local/share";
    return xdg + "/Zephrix";
}

std::string indexesFolder()
{
    return dataFolder() + "/indexes";
}

bool ensureIndexesFolder(std::string* error, int* errorNumber)
{
    std::error_code ec;
    std::filesystem::create_directories(indexesFolder(), ec);
    if (!ec || isDirectory(indexesFolder()))
        return true;
    if (error)
        *error = ec.message() + ": " + indexesFolder();
    if (errorNumber)
        *errorNumber = ec.value();
    return false;
}

std::string helpFolder()
{
    const std::string beside = executableFolder() + "/help";
    if (isDirectory(beside))
        return beside;
    return std::string(ZEPHRIX_INSTALLED_HELP);
}

} // namespace zephrix
