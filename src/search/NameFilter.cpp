#include "search/NameFilter.h"

namespace zephrix {

void NameFilter::compile(const std::string& name, NameMatch match, bool caseSensitive)
{
    active_ = !name.empty();
    match_ = match;
    exact_ = caseSensitive && match == NameMatch::Contains;
    text_ = name;
    folded_.assign(name);
    // Patterns the block tests on index names can take.
    fastAscii_ = active_ && isAsciiText(folded_.folded());
    if (fastAscii_) {
        indexNames_.assign(folded_.folded());
        fastAscii_ = indexNames_.fits();
    }
    fastContains_ = fastAscii_ && !exact_ && match == NameMatch::Contains;
}

} // namespace zephrix
