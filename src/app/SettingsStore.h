#pragma once
#include <string>

namespace zephrix {

// The per-user settings store: text values by (application, section, key).
// On Linux an INI file at $XDG_CONFIG_HOME/<application>/<application>.conf;
// keys holding '/', '\' or '%' are percent-encoded so that they stay one key.
// Values read back exactly as written.
std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& defaultValue);
void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                 const std::string& value);

} // namespace zephrix
