#pragma once
#include <string>

namespace zephrix {

struct Version {
    int major;
    int minor;
    int revision;
};

Version programVersion();
// "1.0.0": major, minor and revision joined by dots.
std::string versionText();

} // namespace zephrix
