#pragma once
#include <string>

#include "core/EngineHost.h"

namespace zephrix {

// "size|created|modified" of the file as it is now, in the index's forms;
// "|Deleted|Deleted" when it no longer exists. Any other failure is reported
// (9060) and gives an empty text.
std::string GetFileDetails(const std::string& fullPath, ErrorReporter* errors);

} // namespace zephrix
