#pragma once
#include <string.h>

#include <string>
#include <string_view>

#include "core/TextFold.h"
#include "search/IndexNamePattern.h"
#include "search/NameScan.h"
#include "search/SearchCriteria.h"

namespace zephrix {

// The name test of a request. Contains honours the case option; Exactly,
// Starts With and Ends With never do. The tests are inline: the matcher runs
// one per entry of the index.
class NameFilter {
  public:
    // An empty name passes everything.
    void compile(const std::string& name, NameMatch match, bool caseSensitive);

    // passes() on the base of a name of the loaded index (which may be read
    // past its end). lastDot gets the position of the name's last '.' (its
    // length when it has none), ascii whether the name has no byte of 0x80
    // or more. Always inlined: a call per entry costs as much as the test.
    [[gnu::always_inline]] bool passesIndexName(std::string_view name, size_t& lastDot, bool& ascii) const
    {
        if (fastContains_) {
            switch (indexNames_.findInBase(name.data(), name.size(), lastDot)) {
            case AsciiSearch::Found:
                ascii = true;
                return true;
            case AsciiSearch::Absent:
                ascii = true;
                return false;
            case AsciiSearch::OtherByte:
                ascii = false;
                return folded_.isContainedIn(name.substr(0, lastDot));
            }
        }
        const IndexNameShape shape = shapeOfIndexName(name.data(), name.size());
        lastDot = shape.lastDot;
        ascii = shape.ascii;
        if (!active_)
            return true;
        if (ascii && fastAscii_) {
            // As FoldedPattern compares an ASCII text with an ASCII pattern.
            const size_t m = indexNames_.length();
            switch (match_) {
            case NameMatch::Exactly:
                return lastDot == m && indexNames_.matchesAt(name.data());
            case NameMatch::StartsWith:
                return lastDot >= m && indexNames_.matchesAt(name.data());
            case NameMatch::EndsWith:
                return lastDot >= m && indexNames_.matchesAt(name.data() + lastDot - m);
            case NameMatch::Contains:
                break;
            }
        }
        return passes(name.substr(0, lastDot));
    }

    // Sets scan to look for bytes that every name this filter passes holds
    // in its base, or clears it when there are none to look for: no name, or
    // one whose folded form is not ASCII (its letters may fold from others).
    void prepareScan(NameScan& scan) const;

    // The test on any text: a base name, or a folder's name.
    bool passes(std::string_view candidate) const
    {
        if (!active_)
            return true;
        switch (match_) {
        case NameMatch::Contains:
            if (exact_)
                return candidate.size() >= text_.size() &&
                       ::memmem(candidate.data(), candidate.size(), text_.data(), text_.size()) != nullptr;
            return folded_.isContainedIn(candidate);
        case NameMatch::Exactly:
            return folded_.equals(candidate);
        case NameMatch::StartsWith:
            return folded_.isPrefixOf(candidate);
        case NameMatch::EndsWith:
            return folded_.isSuffixOf(candidate);
        }
        return false;
    }

  private:
    bool active_ = false;
    bool exact_ = false;
    NameMatch match_ = NameMatch::Contains;
    std::string text_;
    FoldedPattern folded_;
    bool fastAscii_ = false;    // an ASCII pattern the block tests take
    bool fastContains_ = false; // and Contains, ignoring case
    IndexNamePattern indexNames_;
};

} // namespace zephrix
