#pragma once
#include <string>

#include "app/Options.h"

namespace zephrix {

// The option values the program acts on, read from the store at start-up and
// updated by their controls. One copy for the process: moduleOptions().
struct OptionValues {
    int AutoStart = 1;
    int StartHidden = 0;
    int DisableKeyedAccess = 0;
    int ShowIcons = 1;
    int ShowFolders = 1;
    int ForceIndex = 0;
    int ResultsLimit = 0;
    int DragMode = 0; // 0 copy, 1 move
    std::string SearchInsideTypes = options::SearchInside.defaultValue;
};

OptionValues& moduleOptions();

} // namespace zephrix
