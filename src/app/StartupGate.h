#pragma once
#include <string>
#include <vector>

namespace zephrix {

// The whole command line after the program name, as one text: the words
// joined by single blanks.
std::string commandLineText(const std::vector<std::string>& arguments);

// A launch at log-on: the command line, in lower case, is exactly "/startup".
bool isStartupLaunch(const std::vector<std::string>& arguments);

// A log-on launch ends at once, before anything is shown or written, when
// the option "Startup With Windows" (AutoStart) is off.
bool startupLaunchEnds(const std::vector<std::string>& arguments, int autoStart);

} // namespace zephrix
