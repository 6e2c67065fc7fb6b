#pragma once
#include <string>

#include "app/Options.h"

namespace zephrix {

// The option controls write their setting the moment the user changes them;
// there is no Save step.

// A "Settings" value as text.
void saveOptionSetting(const options::Option& option, const std::string& value);

// A check box: "1" when it is checked after the click, "0" otherwise.
void saveYesNoOption(const options::Option& option, bool checked);

// Whether background indexing maintains the drive at `root` ("IndexDrives").
void saveIndexDriveSetting(const std::string& root, bool maintained);

} // namespace zephrix
