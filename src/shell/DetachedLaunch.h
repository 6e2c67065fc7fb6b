#pragma once
#include <string>
#include <vector>

namespace zephrix {

// The program file that `name` names: itself when it holds a '/', else the
// first executable of that name in $PATH. Empty when there is none.
std::string findProgram(const std::string& name);

// Starts argv[0] (a program path, as findProgram gives) with the arguments
// argv[1...] as a process of its own: it is not our child, outlives us and is
// never waited for. Arguments are bytes and reach the program unchanged, so
// names that are not UTF-8 arrive intact; no shell is involved. Returns 0
// once the program is running, else the errno of the failure (exec included).
int launchDetached(const std::vector<std::string>& argv, const std::string& workingFolder = {});

} // namespace zephrix
