// The quick pass over the name text, at every width the processor has,
// against plain byte-by-byte code on random names and needles.
#include "search/NameScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "index/LoadedIndex.h"

using namespace zephrix;
using Width = NameScan::Width;

namespace {

struct Request {
    std::string needle;
    NameScan::Letters letters;
    NameScan::OtherBytes otherBytes;
};

bool byteMatches(unsigned char byte, unsigned char wanted, NameScan::Letters letters)
{
    const bool letter = wanted >= 'a' && wanted <= 'z';
    return byte == wanted || (letters == NameScan::Letters::EitherCase && letter && byte == wanted - 32);
}

// Whether the name starting at `at` of the text stops the scan: the
// needle's first and last bytes stand the needle's length apart from a byte
// of the name on (the last may lie past the name), or the name has a byte
// of 0x80 or more that stops it.
bool stopsAt(const std::string& text, size_t at, const Request& r)
{
    const size_t end = text.find('\0', at);
    const auto first = static_cast<unsigned char>(r.needle.front());
    const auto last = static_cast<unsigned char>(r.needle.back());
    for (size_t i = at; i < end; ++i) {
        if (r.otherBytes == NameScan::OtherBytes::Stop && static_cast<unsigned char>(text[i]) >= 0x80)
            return true;
        if (byteMatches(static_cast<unsigned char>(text[i]), first, r.letters) &&
            byteMatches(static_cast<unsigned char>(text[i + r.needle.size() - 1]), last, r.letters))
            return true;
    }
    return false;
}

// Whether the name holds the needle, byte by byte.
bool holds(const std::string& name, const Request& r)
{
    for (size_t i = 0; i + r.needle.size() <= name.size(); ++i) {
        size_t k = 0;
        while (k < r.needle.size() && byteMatches(static_cast<unsigned char>(name[i + k]),
                                                  static_cast<unsigned char>(r.needle[k]), r.letters))
            ++k;
        if (k == r.needle.size())
            return true;
    }
    return false;
}

std::vector<Width> widths()
{
    std::vector<Width> all = {Width::Sse2};
    if (NameScan::available(Width::Avx2))
        all.push_back(Width::Avx2);
    return all;
}

} // namespace

TEST(NameScan, AgreesWithPlainCodeOnRandomNames)
{
    std::mt19937 random(11);
    // Letters one case bit apart that are no letters ('@' '`', '[' '{'),
    // dots, and bytes of the characters that fold to k and s.
    const std::string alphabet = "kKsSqQyY@`[{._09-\xE2\x84\xAA\xC5\xBF";
    auto text = [&](size_t length, size_t letters) {
        std::string s;
        for (size_t i = 0; i < length; ++i)
            s.push_back(alphabet[random() % letters]);
        return s;
    };
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::string> names(1 + random() % 300);
        for (auto& name : names)
            name =
                text(round % 7 == 0 ? random() % 200 : random() % 40, alphabet.size() - (round % 2 ? 5 : 0));
        Request r;
        // A needle from a name now and then, so that some names hold it.
        const std::string& from = names[random() % names.size()];
        const size_t length = round % 40 == 0 ? NameScan::MaxNeedle : 1 + random() % 12;
        r.needle = length <= from.size() && round % 3
                       ? from.substr(random() % (from.size() - length + 1), length)
                       : text(length, 14);
        r.letters = round % 4 ? NameScan::Letters::EitherCase : NameScan::Letters::Exact;
        if (r.letters == NameScan::Letters::EitherCase) {
            for (char& c : r.needle)
                c = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        }
        r.otherBytes = round % 5 ? NameScan::OtherBytes::PassOver : NameScan::OtherBytes::Stop;
        std::string joined;
        std::vector<size_t> starts;
        for (const auto& name : names) {
            starts.push_back(joined.size());
            joined += name + '\0';
        }
        starts.push_back(joined.size());
        // The loaded text's padding; here bytes that would match.
        joined += std::string(LoadedIndex::NameTextPadding, r.needle.back());

        NameScan scan;
        scan.assign(r.needle, r.letters, r.otherBytes);
        ASSERT_TRUE(scan.active());
        const size_t start = random() % names.size();
        const size_t most = random() % (names.size() - start + 1);
        size_t expected = 0;
        while (expected < most && !stopsAt(joined, starts[start + expected], r))
            ++expected;
        for (const Width width : widths()) {
            SCOPED_TRACE("round " + std::to_string(round) + " width " + std::to_string(int(width)));
            const char* at = joined.data() + starts[start];
            const size_t passed = scan.skip(at, most, width);
            ASSERT_EQ(passed, expected);
            ASSERT_EQ(at, joined.data() + starts[start + passed]);
            // No name passed over holds the needle.
            for (size_t i = start; i < start + passed; ++i)
                ASSERT_FALSE(holds(names[i], r)) << i;
            // The test of one text says the same of each name.
            for (size_t i = start; i < start + most; ++i) {
                const bool mayHold = scan.mayHold(joined.data() + starts[i], names[i].size(), width);
                ASSERT_EQ(mayHold, !names[i].empty() && stopsAt(joined, starts[i], r)) << i;
                ASSERT_TRUE(mayHold || !holds(names[i], r)) << i;
            }
        }
    }
}

TEST(NameScan, NeedlesItCannotTakeMakeNoScan)
{
    NameScan scan;
    for (const std::string& needle :
         {std::string(), std::string("a\0b", 3), std::string(NameScan::MaxNeedle + 1, 'a')}) {
        scan.assign("x", NameScan::Letters::Exact, NameScan::OtherBytes::PassOver);
        scan.assign(needle, NameScan::Letters::Exact, NameScan::OtherBytes::PassOver);
        EXPECT_FALSE(scan.active()) << needle.size();
        const char* at = "a\0";
        EXPECT_EQ(scan.skip(at, 1), 0u);
        EXPECT_TRUE(scan.mayHold(at, 1)); // nothing is ruled out
    }
}
