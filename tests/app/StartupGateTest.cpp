#include <gtest/gtest.h>

#include "app/StartupGate.h"

using zephrix::isStartupLaunch;

// What the program then does is proven on the real executable.
TEST(StartupGate, TheWholeCommandLineInLowerCaseMustBeTheSwitch)
{
    using Words = std::vector<std::string>;
    for (const Words& switched : {Words{"/startup"}, {"/STARTUP"}, {"/StartUp"}})
        EXPECT_TRUE(isStartupLaunch(switched)) << switched[0];
    // clang-format off
    for (const Words& other : {Words{}, {""}, {"startup"}, {"-startup"}, {"/startup", "now"}, {"/startup", ""},
                               {" /startup"}, {"/startup "}, {"/start", "up"}, {"/startupp"}})
        EXPECT_FALSE(isStartupLaunch(other)) << zephrix::commandLineText(other);
    // clang-format on
}
