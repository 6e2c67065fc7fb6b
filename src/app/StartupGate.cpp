#include "app/StartupGate.h"

#include <algorithm>

namespace zephrix {

std::string commandLineText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += arguments[i];
    }
    return text;
}

bool isStartupLaunch(const std::vector<std::string>& arguments)
{
    std::string text = commandLineText(arguments);
    // ASCII lower case is enough: nothing else can turn into "/startup".
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
    return text == "/startup";
}

bool startupLaunchEnds(const std::vector<std::string>& arguments, int autoStart)
{
    return autoStart == 0 && isStartupLaunch(arguments);
}

} // namespace zephrix
