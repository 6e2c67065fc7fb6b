#include <gtest/gtest.h>

#include <QSettings>
#include <filesystem>

#include "app/SettingsStore.h"
#include "support/TempTree.h"

using zephrix::GetSetting;
using zephrix::SaveSetting;
using zephrix::test::TempTree;

namespace {

void use(const TempTree& folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(folder.path()));
}

// Values and roots as keys read back exactly from a copy of the file (no cache), a root one key; a key
// never written reads its default without making the file; hand-edited values are text, commas too.
TEST(SettingsStore, ValuesAndKeysReadBackExactlyFromTheFile)
{
    // clang-format off
    const char* const values[] = {"", " ", "  two blanks  ", "/home/a/|/tmp/b/|", "C:\\Windows\\", "100% %2F %25",
        "a=b==c", "a;b; c", "#not a comment", "\"quoted\" \"\"", "it's", "@ByteArray(x)", "@@", "txt,doc", "a, b , c",
        ",", "Grüße 日本 ✓", "\\n\\t\\x41", "[Settings]", "a\tb", "caf\xe9 \xff\xfe", "line one\nline two\r\n"};
    const char* const roots[] = {"/", "/home/", "/mnt/my disk/", "/mnt/a%2Fb/", "/mnt/a/b/", "C:\\", "50%", "%",
        "%25", "a\\b", "/media/Grüße/", "/mnt/\xff/", "/mnt/\xfe/"};
    // clang-format on
    TempTree config, copy, edited;
    use(config);
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "AutoStart", "1"), "1");
    EXPECT_FALSE(std::filesystem::exists(config.at("Zephrix/Zephrix.conf")));
    for (size_t i = 0; i < std::size(values); ++i)
        SaveSetting("Zephrix", "Settings", "Key" + std::to_string(i), "an earlier value");
    for (size_t i = 0; i < std::size(values); ++i)
        SaveSetting("Zephrix", "Settings", "Key" + std::to_string(i), values[i]);
    for (size_t i = 0; i < std::size(roots); ++i)
        SaveSetting("Zephrix", "IndexDrives", roots[i], std::to_string(i));
    const std::string text = zephrix::test::readWholeFile(config.at("Zephrix/Zephrix.conf"));
    EXPECT_EQ(text.find("home\\"), std::string::npos) << text;
    copy.dir("Zephrix");
    std::filesystem::copy_file(config.at("Zephrix/Zephrix.conf"), copy.at("Zephrix/Zephrix.conf"));
    use(copy);
    for (size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(GetSetting("Zephrix", "Settings", "Key" + std::to_string(i), "default"), values[i]) << i;
    for (size_t i = 0; i < std::size(roots); ++i)
        EXPECT_EQ(GetSetting("Zephrix", "IndexDrives", roots[i], "missing"), std::to_string(i)) << roots[i];
    EXPECT_EQ(GetSetting("Zephrix", "IndexDrives", "Key0", "default"), "default") << "sections are separate";
    edited.file("Zephrix/Zephrix.conf", "[Settings]\nExcludedFolders=/a/,/b/\n");
    use(edited);
    EXPECT_EQ(GetSetting("Zephrix", "Settings", "ExcludedFolders", ""), "/a/,/b/");
}

} // namespace
