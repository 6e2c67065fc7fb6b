#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/StartupGate.h"

namespace {

using zephrix::commandLineText;
using zephrix::isStartupLaunch;
using zephrix::startupLaunchEnds;

struct GateCase {
    std::vector<std::string> arguments;
    bool startupLaunch;
};

TEST(StartupGate, WholeCommandLineInLowerCaseMustBeTheSwitch)
{
    const std::vector<GateCase> cases = {
        {{"/startup"}, true},
        {{"/STARTUP"}, true},
        {{"/StartUp"}, true},
        {{}, false},
        {{""}, false},
        {{"startup"}, false},
        {{"-startup"}, false},
        {{"/startup", "now"}, false},
        {{"/startup", ""}, false},
        {{" /startup"}, false},
        {{"/startup "}, false},
        {{"/start", "up"}, false},
        {{"/startupp"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isStartupLaunch(c.arguments), c.startupLaunch)
            << '"' << commandLineText(c.arguments) << '"';
}

TEST(StartupGate, OnlyALogOnLaunchWithTheOptionOffEnds)
{
    EXPECT_TRUE(startupLaunchEnds({"/STARTUP"}, 0));
    EXPECT_FALSE(startupLaunchEnds({"/STARTUP"}, 1));
    EXPECT_FALSE(startupLaunchEnds({"/startup"}, 2));
    EXPECT_FALSE(startupLaunchEnds({}, 0));
    EXPECT_FALSE(startupLaunchEnds({"--help"}, 0));
}

} // namespace
