// The quick pass over the name text, at every width the processor has,
// against plain byte-by-byte code on random names and needles.
#include "search/NameScan.h"

#include <gtest/gtest.h>

#include <random>

#include "index/LoadedIndex.h"

using namespace zephrix;
using Width = NameScan::Width;

namespace {

// Whether the name starting at `at` stops the scan: the needle's first and
// last bytes stand the needle's length apart from a byte of the name on (the
// last may lie past the name), or a byte of 0x80 or more stops it.
bool stopsAt(const std::string& text, size_t at, const std::string& needle, bool eitherCase, bool stopOther)
{
    auto matches = [&](size_t i, char wanted) {
        return text[i] == wanted || (eitherCase && wanted >= 'a' && wanted <= 'z' && text[i] == wanted - 32);
    };
    for (size_t i = at; text[i] != '\0'; ++i) {
        if ((stopOther && static_cast<unsigned char>(text[i]) >= 0x80) ||
            (matches(i, needle.front()) && matches(i + needle.size() - 1, needle.back())))
            return true;
    }
    return false;
}

} // namespace

TEST(NameScan, AgreesWithPlainCodeOnRandomNames)
{
    std::mt19937 random(11);
    // Bytes one case bit apart that are no letters ('@' '`', '[' '{'), dots,
    // and bytes of the characters that fold to k and s.
    const std::string alphabet = "kKsSqQyY@`[{._09-\xE2\x84\xAA\xC5\xBF";
    auto text = [&](size_t length, size_t letters) {
        std::string s;
        while (s.size() < length)
            s.push_back(alphabet[random() % letters]);
        return s;
    };
    std::vector<Width> widths = {Width::Sse2};
    if (NameScan::available(Width::Avx2))
        widths.push_back(Width::Avx2);
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::string> names(1 + random() % 300);
        for (auto& name : names)
            name = text(random() % (round % 7 ? 40 : 200), alphabet.size() - (round % 2 ? 5 : 0));
        // Now and then a needle from a name, so that some names hold it.
        const std::string& from = names[random() % names.size()];
        const size_t length = round % 40 == 0 ? NameScan::MaxNeedle : 1 + random() % 12;
        std::string needle = length <= from.size() && round % 3
                                 ? from.substr(random() % (from.size() - length + 1), length)
                                 : text(length, 14);
        const bool eitherCase = round % 4, stopOther = round % 5 == 0;
        for (char& c : needle)
            c = eitherCase && c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        std::string joined;
        std::vector<size_t> starts;
        for (const auto& name : names) {
            starts.push_back(joined.size());
            joined += name + '\0';
        }
        starts.push_back(joined.size());
        // The loaded text's padding; here bytes that would match.
        joined += std::string(LoadedIndex::NameTextPadding, needle.back());

        NameScan scan;
        scan.assign(needle, eitherCase ? NameScan::Letters::EitherCase : NameScan::Letters::Exact,
                    stopOther ? NameScan::OtherBytes::Stop : NameScan::OtherBytes::PassOver);
        ASSERT_TRUE(scan.active());
        const size_t start = random() % names.size(), most = random() % (names.size() - start + 1);
        size_t expected = 0;
        while (expected < most && !stopsAt(joined, starts[start + expected], needle, eitherCase, stopOther))
            ++expected;
        for (const Width width : widths) {
            SCOPED_TRACE("round " + std::to_string(round) + " width " + std::to_string(int(width)));
            const char* at = joined.data() + starts[start];
            ASSERT_EQ(scan.skip(at, most, width), expected);
            ASSERT_EQ(at, joined.data() + starts[start + expected]);
            for (size_t i = start; i < start + most; ++i)
                ASSERT_EQ(scan.mayHold(joined.data() + starts[i], names[i].size(), width),
                          !names[i].empty() && stopsAt(joined, starts[i], needle, eitherCase, stopOther))
                    << i;
        }
    }
    // Needles it cannot take make no scan, which rules nothing out.
    NameScan scan;
    for (const std::string& needle :
         {std::string(), std::string("a\0b", 3), std::string(NameScan::MaxNeedle + 1, 'a')}) {
        scan.assign("x", NameScan::Letters::Exact, NameScan::OtherBytes::PassOver);
        scan.assign(needle, NameScan::Letters::Exact, NameScan::OtherBytes::PassOver);
        const char* at = "a\0";
        EXPECT_TRUE(!scan.active() && scan.skip(at, 1) == 0 && scan.mayHold(at, 1)) << needle.size();
    }
}
