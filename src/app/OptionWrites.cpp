#include "app/OptionWrites.h"

#include "app/SettingsStore.h"

namespace zephrix {

void saveOptionSetting(const options::Option& option, const std::string& value)
{
    SaveSetting(options::Application, options::SettingsSection, option.key, value);
}

void saveYesNoOption(const options::Option& option, bool checked)
{
    saveOptionSetting(option, checked ? "1" : "0");
}

void saveIndexDriveSetting(const std::string& root, bool maintained)
{
    SaveSetting(options::Application, options::IndexDrivesSection, root, maintained ? "1" : "0");
}

} // namespace zephrix
