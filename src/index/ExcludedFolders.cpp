#include "index/ExcludedFolders.h"

#include <algorithm>

#include "core/TextFold.h"

namespace zephrix {

std::vector<std::string> SplitExcludedFolders(std::string_view stored)
{
    std::vector<std::string> table;
    if (stored.empty()) {
        table.emplace_back();
        return table;
    }
    size_t start = 0;
    for (;;) {
        const size_t bar = stored.find('|', start);
        table.emplace_back(stored.substr(start, bar == std::string_view::npos ? bar : bar - start));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    return table;
}

std::vector<std::string> ExcludedFolderRows(const std::vector<std::string>& table)
{
    std::vector<std::string> rows;
    for (const auto& text : table) {
        if (!text.empty())
            rows.push_back(text);
    }
    // A list sorted by text orders without regard to case; the raw bytes only
    // break ties so that the order never depends on the input order.
    std::stable_sort(rows.begin(), rows.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = foldText(a), fb = foldText(b);
        return fa != fb ? fa > fb : a > b;
    });
    return rows;
}

std::string ExcludedFolderStoredForm(std::string_view folder)
{
    size_t end = folder.size();
    while (end > 0 && folder[end - 1] == '/')
        --end;
    std::string stored(folder.substr(0, end));
    stored.push_back('/');
    return stored;
}

std::optional<std::string> AddExcludedFolder(const std::vector<std::string>& table, std::string_view folder)
{
    if (folder.empty())
        return std::nullopt;
    const std::string stored = ExcludedFolderStoredForm(folder);
    std::string value;
    for (const auto& text : table) {
        if (text.empty())
            continue;
        if (text == stored)
            return std::nullopt;
        if (!value.empty())
            value.push_back('|');
        value += text;
    }
    if (!value.empty())
        value.push_back('|');
    value += stored;
    return value;
}

std::string RemoveExcludedFolders(const std::vector<std::string>& rows, const std::vector<bool>& selected)
{
    std::string value;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i < selected.size() && selected[i])
            continue;
        if (!value.empty())
            value.push_back('|');
        value += rows[i];
    }
    return value;
}

FolderExclusion::FolderExclusion(const std::vector<std::string>& table)
{
    for (const auto& text : table) {
        if (!text.empty())
            folders_.push_back(text);
    }
}

bool FolderExclusion::excludes(std::string_view folderPath) const
{
    for (const auto& folder : folders_) {
        if (folderPath.starts_with(folder))
            return true;
    }
    return false;
}

} // namespace zephrix
