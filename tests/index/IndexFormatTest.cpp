#include "index/IndexFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace zephrix;
namespace Format = zephrix::IndexFormat;

namespace {

// What the system's own tool makes of a path, when it is installed.
std::string systemdEscape(const std::string& path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        ::popen(("systemd-escape --path -- '" + path + "' 2>/dev/null").c_str(), "r"), ::pclose);
    if (!pipe)
        return {};
    std::string out;
    char buffer[256];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        out.append(buffer, got);
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

std::string escaped(std::string_view plain)
{
    std::string out(Format::maxEscapedLength(plain.size()), '\0');
    out.resize(size_t(Format::writeEscaped(out.data(), plain) - out.data()));
    return out;
}

std::optional<std::string> decoded(std::string_view stored)
{
    std::string out(stored);
    const auto length = Format::decodeInPlace(out.data(), out.size());
    if (!length)
        return std::nullopt;
    out.resize(*length);
    return out;
}

} // namespace

TEST(IndexFormat, StemsEscapeLikeSystemd)
{
    struct Case {
        const char* root;
        const char* stem;
    } cases[] = {
        {"/", "-"},
        {"/home/", "home"},
        {"/mnt/my-disk/", "mnt-my\\x2ddisk"},
        {"/media/alice/USB/", "media-alice-USB"},
        {"/a b/c.d/_x/", "a\\x20b-c.d-_x"},
        {"/.hidden/x/", "\\x2ehidden-x"},
        {"/data/.cache/", "data-.cache"},
        {"/mnt//x/./y/", "mnt-x-y"},
        {"/back\\slash/", "back\\x5cslash"},
        {"/\xc3\xbc/", "\\xc3\\xbc"},
        {"/home", "home"},
    };
    const bool haveTool = !systemdEscape("/home/").empty();
    for (const auto& c : cases) {
        EXPECT_EQ(Format::stemOf(c.root).value_or("<none>"), c.stem) << c.root;
        if (haveTool) {
            EXPECT_EQ(systemdEscape(c.root), c.stem) << c.root;
        }
    }
}

TEST(IndexFormat, StemsNeverShareAFileNameWithAnotherPair)
{
    EXPECT_EQ(Format::stemOf("/temp/").value(), "\\x74emp");
    EXPECT_EQ(Format::stemOf("/temppaths/").value(), "temp\\x70aths");
    EXPECT_EQ(Format::stemOf("/homepaths/").value(), "home\\x70aths");
    EXPECT_EQ(Format::stemOf("/mnt/paths/").value(), "mnt-\\x70aths");
    EXPECT_EQ(Format::stemOf("/tmp/").value(), "tmp");
    EXPECT_EQ(Format::stemOf("/temporary/").value(), "temporary");
}

TEST(IndexFormat, RootsThatAreNotAbsoluteHaveNoStem)
{
    for (const char* root : {"", "home/", "C:\\", "./x/", "/a/../b/", "/.."})
        EXPECT_FALSE(Format::stemOf(root)) << root;
}

TEST(IndexFormat, PairNamesFollowTheStemOrTheFolderPair)
{
    struct Case {
        const char* root;
        IndexMode mode;
        const char* entries;
        const char* folders;
    } cases[] = {
        {"/", IndexMode::Drive, "/ix/-.idx", "/ix/-paths.idx"},
        {"/home/", IndexMode::Drive, "/ix/home.idx", "/ix/homepaths.idx"},
        {"/home/me/Data/", IndexMode::Folder, "/ix/temp.idx", "/ix/temppaths.idx"},
        {"relative/", IndexMode::Folder, "/ix/temp.idx", "/ix/temppaths.idx"},
    };
    for (const auto& c : cases) {
        const auto paths = Format::pairPaths("/ix", c.root, c.mode);
        ASSERT_TRUE(paths) << c.root;
        EXPECT_EQ(paths->entries, c.entries);
        EXPECT_EQ(paths->folders, c.folders);
    }
    EXPECT_FALSE(Format::pairPaths("/ix/", "relative/", IndexMode::Drive));
}

TEST(IndexFormat, EscapingRoundTrips)
{
    struct Case {
        std::string plain;
        std::string stored;
    } cases[] = {
        {"readme.txt", "readme.txt"},
        {"a|b", "a%7Cb"},
        {"100%", "100%25"},
        {"%7C", "%257C"},
        {"line\r\nbreak", "line%0D%0Abreak"},
        {"  blanks  ", "  blanks  "},
        {"bad\xff\xfeutf8", "bad\xff\xfeutf8"},
        {std::string("nul\0inside", 10), std::string("nul\0inside", 10)},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(escaped(c.plain), c.stored);
        EXPECT_EQ(decoded(c.stored).value_or("<invalid>"), c.plain);
    }
    EXPECT_EQ(decoded("a%7cb%0d%0a").value(), "a|b\r\n");
}

TEST(IndexFormat, InvalidEscapesAreRefused)
{
    for (const char* bad : {"%", "a%", "%7", "%zz", "%41", "%2F", "%00", "x%7Gy"})
        EXPECT_FALSE(decoded(bad)) << bad;
}

TEST(IndexFormat, EntryLinesHaveFiveFieldsAndCrLf)
{
    std::string line(Format::maxEntryLineLength(7), '\0');
    line.resize(size_t(Format::writeEntryLine(line.data(), "a|b.txt", 3, 1024, {2005, 3, 1, 10, 15, 0},
                                              {2005, 3, 2, 16, 30, 10}) -
                       line.data()));
    EXPECT_EQ(line, "a%7Cb.txt|3|1024|3/1/2005 10:15:00 AM|3/2/2005 4:30:10 PM\r\n");
}

TEST(IndexFormat, DecimalsAreDigitsOnly)
{
    EXPECT_EQ(parseDecimal("0", 10).value(), 0u);
    EXPECT_EQ(parseDecimal("4294967295", UINT32_MAX).value(), UINT32_MAX);
    for (const char* bad : {"", "-1", "+1", " 1", "1 ", "0x1", "4294967296", "99999999999999999999999"})
        EXPECT_FALSE(parseDecimal(bad, UINT32_MAX)) << bad;
}

TEST(IndexFormat, WordAtATimeEscapingMatchesByteByByte)
{
    const char alphabet[] = {'a', 'Z', '%', '|', '\r', '\n', ' ', '\xff', '\x80', '/', '0', '\x7c' ^ 1};
    uint32_t seed = 12345;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const size_t length = (seed = seed * 1103515245 + 12345) % 40;
        for (size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245 + 12345;
            // Mostly plain letters, now and then one to escape.
            text.push_back(seed % 7 == 0 ? alphabet[(seed >> 8) % sizeof alphabet]
                                         : char('a' + (seed >> 8) % 26));
        }
        std::string byByte;
        for (const char c : text) {
            const bool escape = c == '%' || c == '|' || c == '\r' || c == '\n';
            byByte += escape ? std::string{'%', "0123456789ABCDEF"[(c >> 4) & 15], "0123456789ABCDEF"[c & 15]}
                             : std::string(1, c);
        }
        ASSERT_EQ(escaped(text), byByte) << text;
    }
}
