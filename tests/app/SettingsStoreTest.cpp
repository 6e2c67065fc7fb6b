#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>

#include "app/SettingsStore.h"
#include "support/TempTree.h"

using zephrix::GetSetting;
using zephrix::SaveSetting;
using zephrix::test::TempTree;

namespace {

// The per-user store in a fresh folder, as XDG_CONFIG_HOME would give it.
class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { use(config_); }
    static void use(const TempTree& folder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder.path()));
    }
    std::string storeFile() const { return config_.at("Zephrix/Zephrix.conf"); }
    // Reads on from a copy of the written file, so every value comes back
    // from the bytes on disk, not from a cache.
    void rereadFromCopy()
    {
        copy_.dir("Zephrix");
        std::filesystem::copy_file(storeFile(), copy_.at("Zephrix/Zephrix.conf"));
        use(copy_);
    }

    TempTree config_, copy_;
};

TEST_F(SettingsStoreTest, ValuesReadBackExactlyFromTheFile)
{
    // clang-format off
    const char* const values[] = {"", " ", "  two blanks  ", "/home/a/|/tmp/b/|", "C:\\Windows\\", "100% %2F %25",
        "a=b==c", "a;b; c", "#not a comment", "\"quoted\" \"\"", "it's", "@ByteArray(x)", "@@", "txt,doc", "a, b , c",
        ",", "Grüße 日本 ✓", "\\n\\t\\x41", "[Settings]", "a\tb", "caf\xe9 \xff\xfe", "line one\nline two\r\n"};
    // clang-format on
    for (size_t i = 0; i < std::size(values); ++i)
        SaveSetting("Zephrix", "Settings", "Key" + std::to_string(i), "an earlier value");
    for (size_t i = 0; i < std::size(values); ++i)
        SaveSetting("Zephrix", "Settings", "Key" + std::to_string(i), values[i]);
    rereadFromCopy();
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(GetSetting("Zephrix", "Settings", "Key" + std::to_string(i), "default"), values[i]) << i;
}

TEST_F(SettingsStoreTest, RootsAreDistinctKeysOfOneGroup)
{
    const char* const keys[] = {
        "/", "/home/", "/mnt/my disk/", "/mnt/a%2Fb/",   "/mnt/a/b/",  "C:\\",      "50%",
        "%", "%25",    "a\\b",          "/media/Grüße/", "/mnt/\xff/", "/mnt/\xfe/"};
    for (size_t i = 0; i < std::size(keys); ++i)
        SaveSetting("Zephrix", "IndexDrives", keys[i], std::to_string(i));
    SaveSetting("Zephrix", "Settings", "AutoStart", "0");
    const std::string text = zephrix::test::readWholeFile(storeFile());
    EXPECT_NE(text.find("[IndexDrives]"), std::string::npos) << text;
    EXPECT_NE(text.find("[Settings]\nAutoStart=0"), std::string::npos) << text;
    EXPECT_EQ(text.find("home\\"), std::string::npos) << "a root is one key, not a chain of groups: " << text;
    rereadFromCopy();
    for (size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ(GetSetting("Zephrix", "IndexDrives", keys[i], "missing"), std::to_string(i)) << keys[i];
    EXPECT_EQ(GetSetting("Zephrix", "IndexDrives", "AutoStart", "default"), "default")
        << "sections are separate";
}

TEST_F(SettingsStoreTest, UnwrittenKeysReadAsTheirDefaultAndHandEditsAsText)
{
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "AutoStart", "1"), "1");
    EXPECT_FALSE(std::filesystem::exists(storeFile())) << "reading must not create the file";
    config_.file("Zephrix/Zephrix.conf", "[Settings]\nAutoStart=0\nSearchInside=txt doc\n"
                                         "ExcludedFolders=/a/,/b/\nDragMode=yes\n");
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "AutoStart", "1"), "0");
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "SearchInside", ""), "txt doc");
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "ExcludedFolders", ""), "/a/,/b/");
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "DragMode", "0"), "yes");
}

} // namespace
