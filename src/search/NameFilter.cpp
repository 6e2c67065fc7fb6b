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

void NameFilter::prepareScan(NameScan& scan) const
{
    scan.clear();
    const std::string& folded = folded_.folded();
    if (!active_)
        return;
    if (exact_)
        scan.assign(text_, NameScan::Letters::Exact, NameScan::OtherBytes::PassOver);
    else if (isAsciiText(folded))
        scan.assign(folded, NameScan::Letters::EitherCase,
                    hasFoldsFromOutsideAscii(folded) ? NameScan::OtherBytes::Stop
                                                     : NameScan::OtherBytes::PassOver);
}

} // namespace zephrix
