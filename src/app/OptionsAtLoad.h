#pragma once
#include <optional>
#include <string>

#include "app/OptionValues.h"
#include "core/EngineError.h"

namespace zephrix {

// What the main window takes from the store when it loads, field by field in
// the order it reads them. A field that is still empty was never reached:
// reading stopped at a stored value that is not a number, and `failure` says
// which. The option controls keep their design-time state for those fields.
struct OptionsAtLoad {
    std::optional<int> AutoUpdate;
    std::optional<int> AutoHide;
    std::optional<int> AutoStart;
    std::optional<int> DisableKeyedAccess;
    std::optional<int> ShowIcons;
    std::optional<int> ShowFolders;
    std::optional<int> ForceIndex;
    std::optional<std::string> ReIndexText; // the hours, as txtHours shows them
    std::optional<int> ResultsLimit;
    std::optional<std::string> SearchInside;
    std::optional<int> DragMode;

    std::optional<EngineError> failure;
};

OptionsAtLoad readOptionsAtLoad();

// Copies the fields that were read into the module-level values.
void applyOptionsAtLoad(const OptionsAtLoad& read, OptionValues& values);

// One option of the "Settings" section read as a whole number, as `Main`
// reads "AutoStart" and "AutoHide"; empty with `failure` set when the stored
// value is not a number.
std::optional<int> readNumberSetting(const options::Option& option, std::optional<EngineError>& failure);

// Whether background indexing maintains the drive at `root`, as its
// "IndexDrives" value reads (default: yes for a hard disk, no for a network
// drive); empty with `failure` set when the stored value is not a number.
std::optional<bool> readIndexDriveSetting(const std::string& root, bool hardDisk,
                                          std::optional<EngineError>& failure);

// "AutoUpdate" as the start-up steps read it; a value that is not a number
// counts as off, since the update check must never stop the start-up.
bool autoUpdateEnabled();

} // namespace zephrix
