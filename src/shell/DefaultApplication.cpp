#include "shell/DefaultApplication.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QMimeDatabase>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "core/FileDescriptor.h"
#include "shell/KeyFile.h"

namespace zephrix {
namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> splitPath(const std::string& value, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= value.size()) {
        size_t end = value.find(separator, start);
        if (end == std::string::npos)
            end = value.size();
        if (end > start)
            parts.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::vector<std::string> homeAndDirs(const char* homeVariable, const std::string& homeDefault,
                                     const char* dirsVariable, const std::string& dirsDefault)
{
    std::string home = environment(homeVariable);
    std::vector<std::string> folders{home.empty() || home[0] != '/' ? homeDefault : home};
    std::string dirs = environment(dirsVariable);
    for (const std::string& dir : splitPath(dirs.empty() ? dirsDefault : dirs, ':'))
        if (dir[0] == '/')
            folders.push_back(dir);
    return folders;
}

// The mimeapps.list files in order of importance; desktop-specific ones
// may only name defaults.
struct ListFile {
    KeyFile content;
    bool desktopSpecific;
};

std::vector<ListFile> mimeappsLists(const XdgFolders& folders)
{
    std::vector<std::string> places = folders.configFolders;
    for (const std::string& data : folders.dataFolders)
        places.push_back(data + "/applications");
    std::vector<ListFile> lists;
    for (const std::string& place : places) {
        for (const std::string& desktop : folders.desktops)
            lists.push_back({readKeyFile(place + "/" + desktop + "-mimeapps.list"), true});
        lists.push_back({readKeyFile(place + "/mimeapps.list"), false});
    }
    return lists;
}

std::vector<std::string> listedIn(const KeyFile& file, const char* group, const std::string& type)
{
    const auto found = file.find(group);
    if (found == file.end())
        return {};
    const auto key = found->second.find(type);
    return key == found->second.end() ? std::vector<std::string>{} : splitList(key->second);
}

// The applications of one folder that list the type themselves: its
// mimeinfo.cache, or the entries read one by one where no cache was built.
std::vector<std::string> associatedIn(const std::string& applications, const std::string& type)
{
    const std::string cache = applications + "/mimeinfo.cache";
    if (::access(cache.c_str(), R_OK) == 0)
        return listedIn(readKeyFile(cache), "MIME Cache", type);
    std::vector<std::string> ids;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(applications, ec)) {
        const std::string name = item.path().filename().string();
        if (name.size() <= 8 || name.compare(name.size() - 8, 8, ".desktop") != 0)
            continue;
        const std::optional<DesktopEntry> entry = readDesktopEntry(item.path().string(), name);
        if (entry &&
            std::find(entry->mimeTypes.begin(), entry->mimeTypes.end(), type) != entry->mimeTypes.end())
            ids.push_back(name);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<std::string> candidatePaths(const std::string& applications, const std::string& id)
{
    // An ID names a file below the folder with '/' written as '-'.
    std::vector<std::string> paths{applications + "/" + id};
    std::string relative = id;
    for (size_t dash = relative.find('-'); dash != std::string::npos; dash = relative.find('-', dash + 1)) {
        relative[dash] = '/';
        paths.push_back(applications + "/" + relative);
    }
    return paths;
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

XdgFolders XdgFolders::fromEnvironment()
{
    const std::string home = environment("HOME");
    XdgFolders folders;
    folders.configFolders = homeAndDirs("XDG_CONFIG_HOME", home + "/.config", "XDG_CONFIG_DIRS", "/etc/xdg");
    folders.dataFolders =
        homeAndDirs("XDG_DATA_HOME", home + "/.local/share", "XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (std::string desktop : splitPath(environment("XDG_CURRENT_DESKTOP"), ':')) {
        std::transform(desktop.begin(), desktop.end(), desktop.begin(),
                       [](unsigned char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
        folders.desktops.push_back(desktop);
    }
    return folders;
}

std::optional<DesktopEntry> installedApplication(const std::string& id, const XdgFolders& folders)
{
    if (id.empty() || id.find('/') != std::string::npos)
        return std::nullopt;
    for (const std::string& data : folders.dataFolders)
        for (const std::string& path : candidatePaths(data + "/applications", id))
            if (exists(path))
                return readDesktopEntry(path, id);
    return std::nullopt;
}

std::optional<DesktopEntry> defaultApplicationFor(const std::vector<std::string>& mimeTypes,
                                                  const XdgFolders& folders)
{
    const std::vector<ListFile> lists = mimeappsLists(folders);
    for (const std::string& type : mimeTypes) {
        std::set<std::string> removed;
        for (const ListFile& list : lists) {
            for (const std::string& id : listedIn(list.content, "Default Applications", type))
                if (!removed.count(id))
                    if (auto entry = installedApplication(id, folders))
                        return entry;
            if (!list.desktopSpecific)
                for (const std::string& id : listedIn(list.content, "Removed Associations", type))
                    removed.insert(id);
        }
    }
    for (const std::string& type : mimeTypes) {
        std::set<std::string> removed;
        std::vector<std::string> preferred;
        for (const ListFile& list : lists) {
            if (list.desktopSpecific)
                continue;
            for (const std::string& id : listedIn(list.content, "Added Associations", type))
                if (!removed.count(id))
                    preferred.push_back(id);
            for (const std::string& id : listedIn(list.content, "Removed Associations", type))
                removed.insert(id);
        }
        for (const std::string& data : folders.dataFolders)
            for (const std::string& id : associatedIn(data + "/applications", type))
                if (!removed.count(id))
                    preferred.push_back(id);
        for (const std::string& id : preferred)
            if (auto entry = installedApplication(id, folders))
                return entry;
    }
    return std::nullopt;
}

std::vector<std::string> mimeTypeWithParents(const std::string& mimeType)
{
    const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForName(QString::fromStdString(mimeType));
    std::vector<std::string> types{mimeType};
    if (!type.isValid())
        return types;
    auto add = [&](const QString& name) {
        const std::string text = name.toStdString();
        if (std::find(types.begin(), types.end(), text) == types.end())
            types.push_back(text);
    };
    add(type.name());
    for (const QString& alias : type.aliases())
        add(alias);
    for (const QString& parent : type.allAncestors())
        add(parent);
    return types;
}

std::vector<std::string> mimeTypesOfFile(const std::string& path)
{
    const QMimeDatabase database;
    const size_t slash = path.find_last_of('/');
    const QString name = QString::fromUtf8(path.substr(slash == std::string::npos ? 0 : slash + 1));
    // Read by descriptor: a name that is not UTF-8 cannot make a QString
    // that finds the file again. O_NONBLOCK so a FIFO cannot hang the open.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat st {};
    QByteArray head;
    if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode)) {
        head.resize(4096);
        const ssize_t got = readFully(fd.get(), head.data(), size_t(head.size()));
        head.resize(got > 0 ? got : 0);
    }
    const QMimeType type = database.mimeTypeForFileNameAndData(name, head);
    return mimeTypeWithParents(type.name().toStdString());
}

} // namespace zephrix
