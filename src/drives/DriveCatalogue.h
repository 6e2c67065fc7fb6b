#pragma once
#include <string>
#include <vector>

#include "core/EngineHost.h"

namespace zephrix {

inline constexpr const char* RemovableMedia = "Removable Media";
inline constexpr const char* HardDisk = "Hard Disk";
inline constexpr const char* NetworkDrive = "Network Drive";
inline constexpr const char* OpticalDrive = "CD/DVD Drive";

struct Drive {
    std::string root;     // mount point ending in '/'
    std::string typeName; // one of the four names above
};

// The drives of the mount table, in its order, each mount point once.
// Failures are reported (9059); the drives read so far stay.
std::vector<Drive> LoadDriveList(ErrorReporter* errors, const std::string& mountTable = "/proc/self/mounts");

// The same with the sysfs folder that tells removable devices apart, so tests
// can give a tree of their own.
std::vector<Drive> LoadDriveList(ErrorReporter* errors, const std::string& mountTable,
                                 const std::string& sysRoot);

// The type name of a mount table entry, or nullptr when such a mount is not a
// drive. blockDeviceRemovable is asked only for block-device file systems.
const char* driveTypeName(const std::string& fileSystem, const std::string& mountPoint,
                          bool blockDeviceRemovable);

// True when the block device (a /dev path as the mount table names it) is
// removable or sits on USB, as sysfs under sysRoot tells.
bool isRemovableDevice(const std::string& device, const std::string& sysRoot);

// Undoes the octal escapes (\040 for a blank, \011, \012, \134) the kernel
// writes into mount table fields.
std::string decodeMountField(std::string_view field);

} // namespace zephrix
