#pragma once

// Every option key of the settings store with its default, in one place.
namespace zephrix::options {

inline constexpr const char* Application = "Zephrix";
inline constexpr const char* SettingsSection = "Settings";
inline constexpr const char* IndexDrivesSection = "IndexDrives";

struct Option {
    const char* key;
    const char* defaultValue;
};

inline constexpr Option AutoStart{"AutoStart", "1"};
inline constexpr Option AutoHide{"AutoHide", "0"};
inline constexpr Option AutoUpdate{"AutoUpdate", "1"};
inline constexpr Option DisableKeyedAccess{"DisableKeyedAccess", "0"};
inline constexpr Option ShowIcons{"ShowIcons", "1"};
inline constexpr Option ShowFolders{"ShowFolders", "1"};
inline constexpr Option ForceIndex{"ForceIndex", "0"};
inline constexpr Option ResultsLimit{"ResultsLimit", "0"};
inline constexpr Option ReIndex{"ReIndex", "3"};
inline constexpr Option SearchInside{"SearchInside", "txt doc html asp rtf"};
inline constexpr Option DragMode{"DragMode", "0"};
inline constexpr Option ExcludedFolders{"ExcludedFolders", ""};

// "IndexDrives" defaults by drive type: maintained for a hard disk, not for a
// network drive.
inline constexpr const char* IndexHardDiskDefault = "1";
inline constexpr const char* IndexNetworkDriveDefault = "0";

} // namespace zephrix::options
