#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Options.h"
#include "app/SettingsStore.h"
#include "support/TempTree.h"

using zephrix::GetSetting;
using zephrix::SaveSetting;
using zephrix::test::readWholeFile;
using zephrix::test::TempTree;

namespace {

const std::string App = zephrix::options::Application;
const std::string Settings = zephrix::options::SettingsSection;
const std::string IndexDrives = zephrix::options::IndexDrivesSection;

// Points the per-user store at a fresh folder, as XDG_CONFIG_HOME would.
class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { useConfigFolder(config_.path()); }

    static void useConfigFolder(const std::string& folder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder));
    }
    std::string storeFile() const { return config_.at("Zephrix/Zephrix.conf"); }

    // Copies the written file into a second folder and reads from there, so
    // every value comes back from the bytes on disk, not from a cache.
    void rereadFromCopy(TempTree& copy) const
    {
        copy.dir("Zephrix");
        std::filesystem::copy_file(storeFile(), copy.at("Zephrix/Zephrix.conf"));
        useConfigFolder(copy.path());
    }

    TempTree config_;
};

struct ValueCase {
    const char* label;
    std::string value;
};

const std::vector<ValueCase> valueCases = {
    {"empty", ""},
    {"one blank", " "},
    {"blanks around", "  two blanks  "},
    {"pipe list", "/home/a/|/tmp/b/|"},
    {"backslash", "C:\\Windows\\"},
    {"slash", "/usr/share/"},
    {"percent", "100% %2F %25"},
    {"equals", "a=b==c"},
    {"semicolon", "a;b; c"},
    {"hash", "#not a comment"},
    {"double quotes", "\"quoted\" \"\""},
    {"single quote", "it's"},
    {"leading at", "@ByteArray(x)"},
    {"leading double at", "@@"},
    {"comma", "txt,doc"},
    {"comma and blank", "a, b , c"},
    {"lone comma", ","},
    {"non-ASCII", "Grüße 日本 ✓"},
    {"escapes", "\\n\\t\\x41"},
    {"brackets", "[Settings]"},
    {"newline", "line one\nline two\r\n"},
    {"tab", "a\tb"},
    {"invalid UTF-8", std::string("caf\xe9 \xff\xfe", 8)},
};

TEST_F(SettingsStoreTest, ValuesReadBackExactlyFromTheFile)
{
    for (size_t i = 0; i < valueCases.size(); ++i)
        SaveSetting(App, Settings, "Key" + std::to_string(i), valueCases[i].value);

    TempTree copy;
    rereadFromCopy(copy);
    for (size_t i = 0; i < valueCases.size(); ++i)
        EXPECT_EQ(GetSetting(App, Settings, "Key" + std::to_string(i), "default"), valueCases[i].value)
            << valueCases[i].label;
}

TEST_F(SettingsStoreTest, KeysWithSeparatorsStayDistinctKeys)
{
    const std::vector<std::string> keys = {
        "/",
        "/home/",
        "/mnt/my disk/",
        "/mnt/a%2Fb/",
        "/mnt/a/b/",
        "C:\\",
        "50%",
        "%",
        "%25",
        "a\\b",
        "/media/Grüße/",
        std::string("/mnt/\xff/", 7),
        std::string("/mnt/\xfe/", 7),
    };
    for (size_t i = 0; i < keys.size(); ++i)
        SaveSetting(App, IndexDrives, keys[i], std::to_string(i));

    TempTree copy;
    rereadFromCopy(copy);
    for (size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(GetSetting(App, IndexDrives, keys[i], "missing"), std::to_string(i)) << keys[i];
}

TEST_F(SettingsStoreTest, FileHasOneGroupPerSection)
{
    SaveSetting(App, Settings, "AutoStart", "0");
    SaveSetting(App, IndexDrives, "/home/", "1");

    const std::string text = readWholeFile(storeFile());
    EXPECT_NE(text.find("[Settings]"), std::string::npos) << text;
    EXPECT_NE(text.find("[IndexDrives]"), std::string::npos) << text;
    EXPECT_NE(text.find("AutoStart=0"), std::string::npos) << text;
    // The root is one key of its group, not a chain of subgroups.
    EXPECT_EQ(text.find("home\\"), std::string::npos) << text;
}

TEST_F(SettingsStoreTest, UnwrittenKeysReadAsTheirDefault)
{
    EXPECT_EQ(GetSetting(App, Settings, "AutoStart", "1"), "1");
    EXPECT_EQ(GetSetting(App, Settings, "ExcludedFolders", ""), "");
    EXPECT_FALSE(std::filesystem::exists(storeFile())) << "reading must not create the file";

    SaveSetting(App, Settings, "AutoStart", "0");
    EXPECT_EQ(GetSetting(App, Settings, "AutoHide", "0"), "0");
    EXPECT_EQ(GetSetting(App, IndexDrives, "AutoStart", "default"), "default") << "sections are separate";
}

TEST_F(SettingsStoreTest, LaterWritesReplaceEarlierOnes)
{
    SaveSetting(App, Settings, "SearchInside", "t");
    SaveSetting(App, Settings, "SearchInside", "tx");
    SaveSetting(App, Settings, "SearchInside", "");
    SaveSetting(App, Settings, "ReIndex", "12");

    TempTree copy;
    rereadFromCopy(copy);
    EXPECT_EQ(GetSetting(App, Settings, "SearchInside", "txt doc html asp rtf"), "");
    EXPECT_EQ(GetSetting(App, Settings, "ReIndex", "3"), "12");
}

TEST_F(SettingsStoreTest, HandEditedFileIsReadAsText)
{
    config_.file("Zephrix/Zephrix.conf", "[Settings]\n"
                                         "AutoStart=0\n"
                                         "SearchInside=txt doc\n"
                                         "ExcludedFolders=/a/,/b/\n"
                                         "DragMode=yes\n");
    EXPECT_EQ(GetSetting(App, Settings, "AutoStart", "1"), "0");
    EXPECT_EQ(GetSetting(App, Settings, "SearchInside", ""), "txt doc");
    EXPECT_EQ(GetSetting(App, Settings, "ExcludedFolders", ""), "/a/,/b/");
    EXPECT_EQ(GetSetting(App, Settings, "DragMode", "0"), "yes");
}

} // namespace
