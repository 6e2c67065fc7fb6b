#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <string>
#include <vector>

#include "app/Options.h"
#include "app/OptionsAtLoad.h"
#include "app/SettingsStore.h"
#include "core/ErrorCodes.h"
#include "support/TempTree.h"

namespace {

using namespace zephrix;

class OptionsAtLoadTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path()));
    }
    static void store(const char* key, const std::string& value)
    {
        SaveSetting(options::Application, options::SettingsSection, key, value);
    }

    test::TempTree config_;
};

// How many of the load's fields were filled, in reading order.
int fieldsRead(const OptionsAtLoad& r)
{
    const bool filled[] = {
        r.AutoUpdate.has_value(),         r.AutoHide.has_value(),    r.AutoStart.has_value(),
        r.DisableKeyedAccess.has_value(), r.ShowIcons.has_value(),   r.ShowFolders.has_value(),
        r.ForceIndex.has_value(),         r.ReIndexText.has_value(), r.ResultsLimit.has_value(),
        r.SearchInside.has_value(),       r.DragMode.has_value(),
    };
    int count = 0;
    while (count < int(std::size(filled)) && filled[count])
        ++count;
    for (int i = count; i < int(std::size(filled)); ++i)
        EXPECT_FALSE(filled[i]) << "field " << i << " read after the stop";
    return count;
}

TEST_F(OptionsAtLoadTest, FreshProfileReadsEveryDefault)
{
    const OptionsAtLoad read = readOptionsAtLoad();
    EXPECT_FALSE(read.failure);
    EXPECT_EQ(read.AutoUpdate, 1);
    EXPECT_EQ(read.AutoHide, 0);
    EXPECT_EQ(read.AutoStart, 1);
    EXPECT_EQ(read.DisableKeyedAccess, 0);
    EXPECT_EQ(read.ShowIcons, 1);
    EXPECT_EQ(read.ShowFolders, 1);
    EXPECT_EQ(read.ForceIndex, 0);
    EXPECT_EQ(read.ReIndexText, "3");
    EXPECT_EQ(read.ResultsLimit, 0);
    EXPECT_EQ(read.SearchInside, "txt doc html asp rtf");
    EXPECT_EQ(read.DragMode, 0);
}

TEST_F(OptionsAtLoadTest, StoredValuesReachTheModuleValues)
{
    store("AutoStart", "0");
    store("DisableKeyedAccess", "1");
    store("ShowIcons", "0");
    store("ShowFolders", "0");
    store("ForceIndex", "1");
    store("ResultsLimit", "1");
    store("ReIndex", " 12 ");
    store("SearchInside", "  log, cfg|ini ");
    store("DragMode", "1");

    const OptionsAtLoad read = readOptionsAtLoad();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.ReIndexText, "12");

    OptionValues values;
    applyOptionsAtLoad(read, values);
    EXPECT_EQ(values.AutoStart, 0);
    EXPECT_EQ(values.DisableKeyedAccess, 1);
    EXPECT_EQ(values.ShowIcons, 0);
    EXPECT_EQ(values.ShowFolders, 0);
    EXPECT_EQ(values.ForceIndex, 1);
    EXPECT_EQ(values.ResultsLimit, 1);
    EXPECT_EQ(values.SearchInsideTypes, "  log, cfg|ini ");
    EXPECT_EQ(values.DragMode, 1);
}

struct StopCase {
    const char* key;
    std::string value;
    int fieldsBefore; // fields filled before reading stops
    int number;
};

TEST_F(OptionsAtLoadTest, ValueThatIsNotANumberStopsReadingThere)
{
    const std::vector<StopCase> cases = {
        {"AutoUpdate", "yes", 0, ErrorNumbers::TypeMismatch},
        {"AutoHide", "", 1, ErrorNumbers::TypeMismatch},
        {"AutoStart", "on", 2, ErrorNumbers::TypeMismatch},
        {"DisableKeyedAccess", "x", 3, ErrorNumbers::TypeMismatch},
        {"ShowIcons", "true", 4, ErrorNumbers::TypeMismatch},
        {"ShowFolders", "1,0", 5, ErrorNumbers::TypeMismatch},
        {"ForceIndex", "-", 6, ErrorNumbers::TypeMismatch},
        {"ReIndex", "three", 7, ErrorNumbers::TypeMismatch},
        {"ResultsLimit", "1000", 9, -1}, // a number: no stop
        {"ResultsLimit", "none", 8, ErrorNumbers::TypeMismatch},
        {"DragMode", "move", 10, ErrorNumbers::TypeMismatch},
        {"DragMode", "2", 10, ErrorNumbers::InvalidArgument},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = \"" + c.value + "\"");
        test::TempTree fresh;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(fresh.path()));
        store(c.key, c.value);

        const OptionsAtLoad read = readOptionsAtLoad();
        if (c.number < 0) {
            EXPECT_FALSE(read.failure);
            EXPECT_EQ(fieldsRead(read), 11);
            continue;
        }
        ASSERT_TRUE(read.failure);
        EXPECT_EQ(read.failure->number, c.number);
        EXPECT_NE(read.failure->description.find(c.key), std::string::npos) << read.failure->description;
        EXPECT_EQ(fieldsRead(read), c.fieldsBefore);

        // Values not reached keep what they held.
        OptionValues values;
        values.ShowIcons = 7;
        values.DragMode = 5;
        applyOptionsAtLoad(read, values);
        EXPECT_EQ(values.ShowIcons, c.fieldsBefore > 4 ? 1 : 7);
        EXPECT_EQ(values.DragMode, 5);
    }
}

TEST_F(OptionsAtLoadTest, MainReadsSingleNumbers)
{
    std::optional<EngineError> failure;
    EXPECT_EQ(readNumberSetting(options::AutoStart, failure), 1);
    store("AutoStart", "0");
    EXPECT_EQ(readNumberSetting(options::AutoStart, failure), 0);
    EXPECT_FALSE(failure);

    store("AutoHide", "maybe");
    EXPECT_FALSE(readNumberSetting(options::AutoHide, failure));
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, ErrorNumbers::TypeMismatch);
}

TEST_F(OptionsAtLoadTest, UpdateCheckRunsOnlyForOne)
{
    const std::vector<std::pair<std::string, bool>> cases = {{"1", true},  {" 1", true}, {"0", false},
                                                             {"2", false}, {"", false},  {"yes", false}};
    EXPECT_TRUE(autoUpdateEnabled()) << "default";
    for (const auto& [value, enabled] : cases) {
        store("AutoUpdate", value);
        EXPECT_EQ(autoUpdateEnabled(), enabled) << '"' << value << '"';
    }
}

} // namespace
