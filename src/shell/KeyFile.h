#pragma once
#include <map>
#include <string>
#include <vector>

namespace zephrix {

// The groups and keys of a desktop entry, mimeapps.list or mimeinfo.cache
// ("[Group]" lines and "Key=Value" lines; '#' starts a comment). The first
// occurrence of a key in a group counts. Values are kept raw: string escapes
// are the reader's business, since Exec unescapes differently.
using KeyGroup = std::map<std::string, std::string>;
using KeyFile = std::map<std::string, KeyGroup>;

// Empty when the file cannot be read.
KeyFile readKeyFile(const std::string& path);

// A string value with its escapes (\s \n \t \r \\) resolved.
std::string unescapeValue(const std::string& raw);

// A ';'-separated list ("a.desktop;b.desktop;"), empty items dropped.
std::vector<std::string> splitList(const std::string& raw);

} // namespace zephrix
