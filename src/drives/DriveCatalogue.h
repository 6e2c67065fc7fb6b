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
    std::string root;      // mount point ending in '/'
    std::string typeName;  // one of the four names above
};

// The drives of the mount table, in its order, each mount point once.
// Failures are reported (9059); the drives read so far stay.
std::vector<Drive> LoadDriveList(ErrorReporter* errors,
                                 const std::string& mountTable = "/proc/self/mounts");

}  // namespace zephrix
