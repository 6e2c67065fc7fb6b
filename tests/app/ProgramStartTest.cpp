#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <filesystem>
#include <string>
#include <vector>

#include "CoreApplication.h"
#include "app/SettingsStore.h"
#include "support/TempTree.h"

// Runs the real zephrix executable the way a desktop session would, with its
// own settings and data folders.
namespace {

namespace fs = std::filesystem;
using zephrix::test::TempTree;

struct Outcome {
    bool finished = false;
    int exitCode = -1;
};

class ProgramStartTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { zephrix::test::coreApplication(); }

    void SetUp() override
    {
        config_.dir("Zephrix");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config_.path()));
    }

    void setOption(const char* key, const std::string& value)
    {
        zephrix::SaveSetting("Zephrix", "Settings", key, value);
    }

    // withDisplay false: no platform at all, so a program that tried to open
    // a window would fail instead of exiting 0.
    Outcome run(const QStringList& arguments, bool withDisplay = true)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(config_.path()));
        env.insert("ZEPHRIX_DATA_DIR", QString::fromStdString(data_.path()));
        env.insert("ZEPHRIX_QUIT_AFTER_STARTUP", "1");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        if (withDisplay)
            env.insert("QT_QPA_PLATFORM", "offscreen");
        else
            env.insert("QT_QPA_PLATFORM", "xcb");

        QProcess program;
        program.setProcessEnvironment(env);
        program.start(ZEPHRIX_GUI_PATH, arguments);
        Outcome outcome;
        outcome.finished = program.waitForFinished(30000);
        if (!outcome.finished)
            program.kill();
        else if (program.exitStatus() == QProcess::NormalExit)
            outcome.exitCode = program.exitCode();
        return outcome;
    }

    std::string indexes() const { return data_.at("indexes"); }

    // Everything under a folder, as relative paths.
    static std::vector<std::string> contents(const std::string& folder)
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            found.push_back(fs::relative(entry.path(), folder).string());
        return found;
    }

    TempTree config_;
    TempTree data_;
};

// The spellings of the switch are StartupGate's table; here the executable
// is run once with the switch as a log-on entry writes it.
TEST_F(ProgramStartTest, LogOnLaunchWithAutoStartOffEndsAtOnceWritingNothing)
{
    setOption("AutoStart", "0");
    const auto configBefore = contents(config_.path());

    const Outcome outcome = run({"/STARTUP"}, /*withDisplay=*/false);
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(fs::exists(indexes()));
    EXPECT_TRUE(contents(data_.path()).empty());
    EXPECT_EQ(contents(config_.path()), configBefore);
}

struct NormalStart {
    QStringList arguments;
    const char* autoStart; // nullptr: never written
};

TEST_F(ProgramStartTest, OtherLaunchesStartNormally)
{
    // The default of AutoStart, the option on, and the option off for a
    // launch that is not the log-on one.
    const std::vector<NormalStart> starts = {{{"/startup"}, nullptr}, {{"/STARTUP"}, "1"}, {{}, "0"}};
    for (const auto& start : starts) {
        SCOPED_TRACE(start.arguments.join(' ').toStdString() +
                     " AutoStart=" + (start.autoStart ? start.autoStart : "(none)"));
        config_.remove("Zephrix");
        config_.dir("Zephrix");
        if (start.autoStart)
            setOption("AutoStart", start.autoStart);
        data_.remove("indexes");

        const Outcome outcome = run(start.arguments);
        ASSERT_TRUE(outcome.finished);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_TRUE(fs::is_directory(indexes()));
    }
}

TEST_F(ProgramStartTest, DeletedIndexesFolderIsCreatedAgainEmpty)
{
    ASSERT_EQ(run({}).exitCode, 0);
    ASSERT_TRUE(fs::is_directory(indexes()));
    data_.file("indexes/home.idx", "old\r\n");

    fs::remove_all(indexes());
    const Outcome outcome = run({});
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(fs::is_directory(indexes()));
    EXPECT_TRUE(fs::is_empty(indexes()));
}

TEST_F(ProgramStartTest, BadAutoStartValueIsReportedNotACrash)
{
    setOption("AutoStart", "yes");
    const Outcome outcome = run({"/startup"});
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(outcome.exitCode, 0);
    // Main stopped before the indexes folder.
    EXPECT_FALSE(fs::exists(indexes()));
}

} // namespace
