#include "index/IndexFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>

#include "support/IndexPair.h"

using namespace zephrix;

namespace {

// What the system's own tool makes of a path, when it is installed.
std::string systemdEscape(const std::string& path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        ::popen(("systemd-escape --path -- '" + path + "' 2>/dev/null").c_str(), "r"), ::pclose);
    char buffer[256] = {};
    const size_t got = pipe ? std::fread(buffer, 1, sizeof buffer - 1, pipe.get()) : 0;
    return std::string(buffer, got > 0 && buffer[got - 1] == '\n' ? got - 1 : got);
}

} // namespace

TEST(IndexFormat, PairFilesAreNamedAfterTheRootAsSystemdEscapesIt)
{
    // Root, stem (nullptr: no drive pair), whether the escape is one systemd does not make.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"/", "-", false},
        {"/home/", "home", false},
        {"/mnt/my-disk/", "mnt-my\\x2ddisk", false},
        {"/a b/c.d/_x/", "a\\x20b-c.d-_x", false},
        {"/.hidden/x/", "\\x2ehidden-x", false},
        {"/data/.cache/", "data-.cache", false},
        {"/mnt//x/./y/", "mnt-x-y", false},
        {"/back\\slash/", "back\\x5cslash", false},
        {"/\xc3\xbc/", "\\xc3\\xbc", false},
        {"/temporary/", "temporary", false},
        // Never the folder pair's name, nor another root's folders file.
        {"/temp/", "\\x74emp", true},
        {"/temppaths/", "temp\\x70aths", true},
        // Roots that are no absolute paths.
        {"", nullptr, true},
        {"C:\\", nullptr, true},
        {"/a/../b/", nullptr, true}};
    const bool haveTool = !systemdEscape("/home/").empty();
    for (const auto& [root, stem, ownRule] : cases) {
        const auto paths = IndexFormat::pairPaths("/ix", root, IndexMode::Drive);
        EXPECT_EQ(paths ? paths->entries + " " + paths->folders : "none",
                  stem ? "/ix/" + std::string(stem) + ".idx /ix/" + stem + "paths.idx" : "none");
        if (haveTool && !ownRule)
            EXPECT_EQ(systemdEscape(root), stem);
        const auto folderPair = IndexFormat::pairPaths("/ix/", root, IndexMode::Folder);
        EXPECT_EQ(folderPair->entries + " " + folderPair->folders, "/ix/temp.idx /ix/temppaths.idx");
    }
}

TEST(IndexFormat, WordAtATimeEscapingAgreesWithPlainCode)
{
    std::mt19937 random(12345);
    const char special[] = {'%', '|', '\r', '\n', ' ', '\xff', '\x80', '/', '0', '\x7c' ^ 1, '\x25' ^ 8};
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (size_t i = random() % 40; i > 0; --i)
            text.push_back(random() % 7 ? char('a' + random() % 26) : special[random() % sizeof special]);
        std::string written(text.size() * 3, '\0');
        written.resize(size_t(IndexFormat::writeEscaped(written.data(), text) - written.data()));
        ASSERT_EQ(written, test::escapedName(text)) << text;
    }
}
