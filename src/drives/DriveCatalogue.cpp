#include "drives/DriveCatalogue.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>
#include <unordered_map>

#include "core/EngineError.h"
#include "core/ErrorCodes.h"
#include "core/PathText.h"
#include "core/WholeFile.h"

namespace zephrix {
namespace {

constexpr std::string_view BlockFileSystems[] = {
    "ext2",
    "ext3",
    "ext4",
    "xfs",
    "btrfs",
    "f2fs",
    "ntfs",
    "ntfs3",
    "exfat",
    "vfat",
    "jfs",
    "reiserfs",
    "bcachefs",
    "zfs",
    // ntfs-3g and the FUSE exFAT driver mount block devices under this name.
    "fuseblk",
};
constexpr std::string_view NetworkFileSystems[] = {
    "nfs",  "nfs4",      "cifs",      "smb3",           "fuse.sshfs", "9p",
    "ceph", "fuse.ceph", "glusterfs", "fuse.glusterfs", "davfs",      "fuse.davfs",
};
constexpr std::string_view OpticalFileSystems[] = {"iso9660", "udf"};

template <size_t N> bool isOneOf(const std::string& name, const std::string_view (&names)[N])
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

bool readFlag(const std::string& path)
{
    std::ifstream in(path);
    char c = 0;
    return in.get(c) && c == '1';
}

std::string realPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

std::string baseName(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A mount point that exists and is not a folder (a bound file such as a
// container's /etc/hosts) cannot be a drive.
bool isFolderOrUnknown(const std::string& mountPoint)
{
    struct stat st {};
    return ::stat(mountPoint.c_str(), &st) != 0 || S_ISDIR(st.st_mode);
}

} // namespace

std::string decodeMountField(std::string_view field)
{
    auto octal = [](char c, char highest) { return c >= '0' && c <= highest; };
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && field.size() - i >= 4 && octal(field[i + 1], '3') &&
            octal(field[i + 2], '7') && octal(field[i + 3], '7')) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                            (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

bool isRemovableDevice(const std::string& device, const std::string& sysRoot)
{
    if (device.rfind("/dev/", 0) != 0)
        return false;
    // /dev/disk/by-label/... and the like are links to the kernel's name.
    std::string kernelName = baseName(realPath(device));
    if (kernelName.empty())
        kernelName = baseName(device);
    const std::string classEntry = sysRoot + "/class/block/" + kernelName;
    std::string devicePath = realPath(classEntry);
    if (devicePath.empty())
        return false;
    // A partition's own folder has no "removable"; its disk is the parent.
    struct stat st {};
    if (::stat((devicePath + "/partition").c_str(), &st) == 0)
        devicePath = devicePath.substr(0, devicePath.rfind('/'));
    if (readFlag(devicePath + "/removable"))
        return true;
    return devicePath.find("/usb") != std::string::npos;
}

const char* driveTypeName(const std::string& fileSystem, const std::string& mountPoint,
                          bool blockDeviceRemovable)
{
    if (isOneOf(fileSystem, BlockFileSystems) || (fileSystem == "overlay" && mountPoint == "/"))
        return blockDeviceRemovable ? RemovableMedia : HardDisk;
    if (isOneOf(fileSystem, NetworkFileSystems))
        return NetworkDrive;
    if (isOneOf(fileSystem, OpticalFileSystems))
        return OpticalDrive;
    return nullptr;
}

std::vector<Drive> LoadDriveList(ErrorReporter* errors, const std::string& mountTable)
{
    return LoadDriveList(errors, mountTable, "/sys");
}

std::vector<Drive> LoadDriveList(ErrorReporter* errors, const std::string& mountTable,
                                 const std::string& sysRoot)
{
    std::vector<Drive> drives;
    const WholeFile table = readWholeFile(mountTable);
    if (table.error) {
        if (errors) {
            const EngineError error = EngineError::fromErrno(table.error, mountTable);
            errors->reportError(Locations::LoadDriveList, error.number, error.description);
        }
        return drives;
    }

    // A mount point mounted over again shows its last mount; it keeps the
    // place of its first line.
    std::unordered_map<std::string, size_t> rowOfRoot;
    std::vector<bool> recorded;
    std::string_view text(table.text.get(), table.size);
    while (!text.empty()) {
        const size_t lineEnd = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(std::min(lineEnd + 1, text.size()));

        std::string_view fields[3];
        int count = 0;
        while (count < 3 && !line.empty()) {
            const size_t start = line.find_first_not_of(" \t");
            if (start == std::string_view::npos)
                break;
            line.remove_prefix(start);
            const size_t end = std::min(line.find_first_of(" \t"), line.size());
            fields[count++] = line.substr(0, end);
            line.remove_prefix(end);
        }
        if (count < 3)
            continue;

        const std::string device = decodeMountField(fields[0]);
        const std::string mountPoint = decodeMountField(fields[1]);
        const std::string fileSystem = decodeMountField(fields[2]);
        if (mountPoint.empty() || mountPoint.front() != '/')
            continue;
        const bool block = isOneOf(fileSystem, BlockFileSystems) || fileSystem == "overlay";
        const char* type = driveTypeName(fileSystem, mountPoint, block && isRemovableDevice(device, sysRoot));
        if (type && !isFolderOrUnknown(mountPoint))
            type = nullptr;
        const std::string root = withTrailingSlash(mountPoint);

        const auto known = rowOfRoot.find(root);
        if (known == rowOfRoot.end()) {
            rowOfRoot.emplace(root, drives.size());
            drives.push_back({root, type ? type : ""});
            recorded.push_back(type != nullptr);
        } else {
            drives[known->second].typeName = type ? type : "";
            recorded[known->second] = type != nullptr;
        }
    }

    std::vector<Drive> listed;
    for (size_t i = 0; i < drives.size(); ++i) {
        if (recorded[i])
            listed.push_back(std::move(drives[i]));
    }
    return listed;
}

} // namespace zephrix
