#include "app/OptionsAtLoad.h"

#include "app/SettingsStore.h"
#include "app/WholeNumber.h"
#include "core/ErrorCodes.h"

namespace zephrix {
namespace {

std::string readText(const options::Option& option)
{
    return GetSetting(options::Application, options::SettingsSection, option.key, option.defaultValue);
}

// Reads one yes/no or numeric option; on a value that is not a number the
// failure is recorded and false returned, so the caller stops right there.
bool readNumber(const options::Option& option, std::optional<int>& field, std::optional<EngineError>& failure)
{
    const std::string text = readText(option);
    const std::optional<int> number = parseWholeNumber(text);
    if (!number) {
        failure = EngineError{ErrorNumbers::TypeMismatch,
                              std::string("Type mismatch (") + option.key + " = \"" + text + "\")"};
        return false;
    }
    field = *number;
    return true;
}

} // namespace

OptionsAtLoad readOptionsAtLoad()
{
    OptionsAtLoad read;
    auto& failure = read.failure;
    if (!readNumber(options::AutoUpdate, read.AutoUpdate, failure) ||
        !readNumber(options::AutoHide, read.AutoHide, failure) ||
        !readNumber(options::AutoStart, read.AutoStart, failure) ||
        !readNumber(options::DisableKeyedAccess, read.DisableKeyedAccess, failure) ||
        !readNumber(options::ShowIcons, read.ShowIcons, failure) ||
        !readNumber(options::ShowFolders, read.ShowFolders, failure) ||
        !readNumber(options::ForceIndex, read.ForceIndex, failure))
        return read;

    std::optional<int> hours;
    if (!readNumber(options::ReIndex, hours, failure))
        return read;
    read.ReIndexText = std::to_string(*hours);

    if (!readNumber(options::ResultsLimit, read.ResultsLimit, failure))
        return read;
    read.SearchInside = readText(options::SearchInside);

    std::optional<int> dragMode;
    if (!readNumber(options::DragMode, dragMode, failure))
        return read;
    // Only two options exist to select; any other index has nothing to show.
    if (*dragMode != 0 && *dragMode != 1) {
        failure =
            EngineError{ErrorNumbers::InvalidArgument,
                        "Invalid procedure call or argument (DragMode = " + std::to_string(*dragMode) + ")"};
        return read;
    }
    read.DragMode = dragMode;
    return read;
}

void applyOptionsAtLoad(const OptionsAtLoad& read, OptionValues& values)
{
    auto apply = [](const auto& field, auto& value) {
        if (field)
            value = *field;
    };
    apply(read.AutoStart, values.AutoStart);
    apply(read.DisableKeyedAccess, values.DisableKeyedAccess);
    apply(read.ShowIcons, values.ShowIcons);
    apply(read.ShowFolders, values.ShowFolders);
    apply(read.ForceIndex, values.ForceIndex);
    apply(read.ResultsLimit, values.ResultsLimit);
    apply(read.SearchInside, values.SearchInsideTypes);
    apply(read.DragMode, values.DragMode);
}

std::optional<int> readNumberSetting(const options::Option& option, std::optional<EngineError>& failure)
{
    std::optional<int> value;
    readNumber(option, value, failure);
    return value;
}

std::optional<bool> readIndexDriveSetting(const std::string& root, bool hardDisk,
                                          std::optional<EngineError>& failure)
{
    const char* fallback = hardDisk ? options::IndexHardDiskDefault : options::IndexNetworkDriveDefault;
    const std::string text = GetSetting(options::Application, options::IndexDrivesSection, root, fallback);
    const std::optional<int> number = parseWholeNumber(text);
    if (!number) {
        failure = EngineError{ErrorNumbers::TypeMismatch,
                              "Type mismatch (IndexDrives " + root + " = \"" + text + "\")"};
        return std::nullopt;
    }
    return *number == 1;
}

bool autoUpdateEnabled()
{
    return parseWholeNumber(readText(options::AutoUpdate)) == 1;
}

} // namespace zephrix
