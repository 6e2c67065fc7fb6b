#include <gtest/gtest.h>

#include "app/StartupGate.h"

using zephrix::isStartupLaunch;

TEST(StartupGate, TheWholeCommandLineInLowerCaseMustBeTheSwitch)
{
    for (const std::vector<std::string>& switched :
         {std::vector<std::string>{"/startup"}, {"/STARTUP"}, {"/StartUp"}})
        EXPECT_TRUE(isStartupLaunch(switched)) << switched[0];
    for (const std::vector<std::string>& other : {std::vector<std::string>{},
                                                  {""},
                                                  {"startup"},
                                                  {"-startup"},
                                                  {"/startup", "now"},
                                                  {"/startup", ""},
                                                  {" /startup"},
                                                  {"/startup "},
                                                  {"/start", "up"},
                                                  {"/startupp"}})
        EXPECT_FALSE(isStartupLaunch(other)) << zephrix::commandLineText(other);
    // Only a log-on launch with the option off ends at once.
    EXPECT_TRUE(zephrix::startupLaunchEnds({"/STARTUP"}, 0));
    EXPECT_FALSE(zephrix::startupLaunchEnds({"/STARTUP"}, 1));
    EXPECT_FALSE(zephrix::startupLaunchEnds({}, 0));
}
