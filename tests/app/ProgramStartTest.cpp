#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <filesystem>

#include "CoreApplication.h"
#include "app/SettingsStore.h"
#include "support/TempTree.h"

// The real zephrix as a desktop session runs it, with its own settings and data folders.
namespace {

namespace fs = std::filesystem;

// Everything under a folder, as relative paths.
std::vector<std::string> contents(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        found.push_back(fs::relative(entry.path(), folder).string());
    std::sort(found.begin(), found.end());
    return found;
}

TEST(ProgramStart, TheLogOnSwitchAndTheAutoStartOption)
{
    zephrix::test::coreApplication();
    struct Case {
        const char* what;
        QStringList arguments;
        const char* autoStart; // nullptr: never written
        bool started;          // the indexes folder is made only by a start that goes on
        bool endsAtOnce;
    } cases[] = {
        {"log-on launch with the option off ends at once, writing nothing", {"/STARTUP"}, "0", false, true},
        {"log-on launch, option never written", {"/startup"}, nullptr, true, false},
        {"other launches ignore the option", {}, "0", true, false},
        {"a value that is no number is reported, not a crash", {"/startup"}, "yes", false, false}};
    for (const auto& c : cases) {
        zephrix::test::TempTree config, data;
        config.dir("Zephrix");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(config.path()));
        if (c.autoStart)
            zephrix::SaveSetting("Zephrix", "Settings", "AutoStart", c.autoStart);
        const auto configBefore = contents(config.path());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.path()));
        env.insert("ZEPHRIX_DATA_DIR", QString::fromStdString(data.path()));
        env.insert("ZEPHRIX_QUIT_AFTER_STARTUP", "1");
        env.remove("DISPLAY");
        // No platform at all for the launch that must end: opening a window would fail.
        env.insert("QT_QPA_PLATFORM", c.endsAtOnce ? "xcb" : "offscreen");
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(ZEPHRIX_GUI_PATH, c.arguments);
        ASSERT_TRUE(program.waitForFinished(30000)) << c.what;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << c.what;
        EXPECT_EQ(program.exitCode(), 0) << c.what;
        EXPECT_EQ(fs::is_directory(data.at("indexes")), c.started) << c.what;
        if (c.started)
            EXPECT_TRUE(fs::is_empty(data.at("indexes"))) << c.what;
        if (c.endsAtOnce)
            EXPECT_TRUE(contents(data.path()).empty() && contents(config.path()) == configBefore) << c.what;
    }
}

} // namespace
