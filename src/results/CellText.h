#pragma once
#include <QString>
#include <cstdint>
#include <string>

#include "results/ResultsEntry.h"

namespace zephrix {

// Bytes of a name or path as text: invalid UTF-8 and control characters
// (a newline in a name would break the row) are shown as U+FFFD. The bytes
// themselves stay in the row for every file operation.
QString displayText(const std::string& bytes);

// A size with the locale's group separator every three digits and no
// decimals; empty for 0.
QString sizeText(uint64_t size);

// A date in the program's one date form; empty for NoTime.
QString dateText(int64_t localSeconds);

// The text of one cell as the list shows it.
QString cellText(const ResultsEntry& entry, ResultsColumn column);

} // namespace zephrix
