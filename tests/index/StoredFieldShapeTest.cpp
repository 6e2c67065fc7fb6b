// The loader's check of the size and date fields, against a regular
// expression of the stored forms, on random fields near and far from them.
#include "index/StoredFieldShape.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

using namespace zephrix;
using StoredFieldShape::Details;

namespace {

const std::regex DateForm(R"(\d{1,2}/\d{1,2}/[0-9-]{4,}( \d{1,2}:\d\d:\d\d (AM|PM))?)");

Details expectedDetails(const std::string& size, const std::string& created, const std::string& modified)
{
    // Nothing, or up to twenty digits of a number that fits 64 bits; without a size any dates do.
    const std::string largest = "18446744073709551615";
    if (size.find_first_not_of("0123456789") != std::string::npos || size.size() > largest.size() ||
        (size.size() == largest.size() && size > largest))
        return Details::BadSize;
    return size.empty() || (std::regex_match(created, DateForm) && std::regex_match(modified, DateForm))
               ? Details::Fine
               : Details::BadDate;
}

} // namespace

TEST(StoredFieldShape, AgreesWithTheStoredFormsOnRandomFields)
{
    std::mt19937 random(17);
    auto number = [&](size_t least, size_t most) {
        std::string digits;
        for (size_t n = least + random() % (most - least + 1); n > 0; --n)
            digits.push_back(char('0' + random() % 10));
        return digits;
    };
    // A date of the stored form, or nearly.
    auto date = [&] {
        std::string text =
            number(1, 2) + "/" + number(1, 2) + "/" + (random() % 20 ? number(4, 4) : number(3, 6));
        if (random() % 10 == 0)
            text[text.size() - 1 - random() % 4] = '-';
        if (random() % 3)
            text +=
                " " + number(1, 2) + ":" + number(2, 2) + ":" + number(2, 2) + (random() % 2 ? " AM" : " PM");
        // One byte changed, dropped or added now and then.
        const std::string odd = "0/: AMPQ-x|";
        switch (random() % 8) {
        case 0:
            text[random() % text.size()] = odd[random() % odd.size()];
            break;
        case 1:
            text.erase(random() % text.size(), 1);
            break;
        case 2:
            text.insert(random() % (text.size() + 1), 1, odd[random() % odd.size()]);
            break;
        }
        return text;
    };
    for (int round = 0; round < 40000; ++round) {
        std::string size = random() % 10 ? number(1, round % 50 == 0 ? 21 : 12) : "";
        if (round % 200 == 0)
            size = "1844674407370955161" + number(1, 1);
        if (random() % 30 == 0)
            size.insert(random() % (size.size() + 1), 1, "x-+ "[random() % 4]);
        const std::string created = date();
        const std::string modified = random() % 3 ? created : date();
        // Digits after the line, as the next line's name may hold them.
        const std::string line = size + "|" + created + "|" + modified + "\r\n" + number(128, 128);
        ASSERT_EQ(StoredFieldShape::checkDetails(line.data(), size.size(), created.size(), modified.size()),
                  expectedDetails(size, created, modified))
            << line;
    }
}
