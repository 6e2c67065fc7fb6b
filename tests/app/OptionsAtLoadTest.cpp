#include <gtest/gtest.h>

#include <QSettings>

#include "app/OptionsAtLoad.h"
#include "app/SettingsStore.h"
#include "support/TempTree.h"

namespace {

using namespace zephrix;

// The options read from a store of these values, in reading order ("-": not reached), and the failure.
std::string readWith(const std::vector<std::pair<const char*, const char*>>& stored,
                     OptionValues* values = nullptr)
{
    test::TempTree config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(config.path()));
    for (const auto& [key, value] : stored)
        SaveSetting("Zephrix", "Settings", key, value);
    const OptionsAtLoad r = readOptionsAtLoad();
    if (values)
        applyOptionsAtLoad(r, *values);
    std::string out;
    for (const auto& number : {r.AutoUpdate, r.AutoHide, r.AutoStart, r.DisableKeyedAccess, r.ShowIcons,
                               r.ShowFolders, r.ForceIndex})
        out += number ? std::to_string(*number) + " " : "- ";
    return out + r.ReIndexText.value_or("-") + " " +
           (r.ResultsLimit ? std::to_string(*r.ResultsLimit) : "-") + " " + r.SearchInside.value_or("-") +
           " " + (r.DragMode ? std::to_string(*r.DragMode) : "-") +
           (r.failure ? " failure " + std::to_string(r.failure->number) : "");
}

TEST(OptionsAtLoad, DefaultsStoredValuesAndAStopAtAValueThatIsNoNumber)
{
    EXPECT_EQ(readWith({}), "1 0 1 0 1 1 0 3 0 txt doc html asp rtf 0");
    OptionValues values;
    values.DragMode = 5;
    EXPECT_EQ(readWith({{"AutoStart", "0"},
                        {"DisableKeyedAccess", "1"},
                        {"ShowIcons", "0"},
                        {"ShowFolders", " 0.5 "}, // halves round to even
                        {"ForceIndex", "1"},
                        {"ResultsLimit", "2.5"},
                        {"ReIndex", " 12 "},
                        {"SearchInside", "  log, cfg|ini "},
                        {"DragMode", "1"}},
                       &values),
              "1 0 0 1 0 0 1 12 2   log, cfg|ini  1");
    EXPECT_EQ((std::vector{values.AutoStart, values.DisableKeyedAccess, values.ShowIcons, values.ShowFolders,
                           values.ForceIndex, values.ResultsLimit, values.DragMode}),
              (std::vector{0, 1, 0, 0, 1, 2, 1}));
    EXPECT_EQ(values.SearchInsideTypes, "  log, cfg|ini ");
    // Reading stops at a value that is no number; values not reached keep what they held.
    EXPECT_EQ(readWith({{"AutoUpdate", "yes"}}, &values), "- - - - - - - - - - - failure 13");
    EXPECT_EQ(readWith({{"ShowFolders", "1,0"}}), "1 0 1 0 1 - - - - - - failure 13");
    EXPECT_EQ(readWith({{"ResultsLimit", "1000"}}), "1 0 1 0 1 1 0 3 1000 txt doc html asp rtf 0");
    EXPECT_EQ(readWith({{"DragMode", "2"}}, &values), "1 0 1 0 1 1 0 3 0 txt doc html asp rtf - failure 5");
    EXPECT_EQ(values.DragMode, 1);

    test::TempTree config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(config.path()));
    EXPECT_TRUE(autoUpdateEnabled()) << "default";
    for (const auto& [value, enabled] :
         {std::pair{"1", true}, {" 1", true}, {"0", false}, {"2", false}, {"", false}, {"yes", false}}) {
        SaveSetting("Zephrix", "Settings", "AutoUpdate", value);
        EXPECT_EQ(autoUpdateEnabled(), enabled) << '"' << value << '"';
    }
}

} // namespace
