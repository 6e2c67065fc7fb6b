#pragma once
#include <vector>

#include "app/OptionValues.h"

class QCheckBox;

namespace zephrix {

// A check box that is an option: a click writes its setting at once and,
// where the program acts on it while running, its module-level value.
struct OptionBox {
    QCheckBox* box;
    const options::Option* option;
    int OptionValues::*value; // nullptr: read again only at the next start
    int location;             // of its click handler in the error report
};

// Connects each box's click to its write.
void connectOptionBoxes(const std::vector<OptionBox>& boxes);

// A value read from the store shown in its box: 1 is checked.
void showOption(QCheckBox* box, int value);

} // namespace zephrix
