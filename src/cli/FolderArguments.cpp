#include "cli/FolderArguments.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/PathText.h"
#include "drives/DriveCatalogue.h"

namespace zephrix::cli {

std::string absoluteFolder(const std::string& argument)
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(argument, ec);
    if (ec)
        path = argument;
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string absoluteRoot(const std::string& argument)
{
    return withTrailingSlash(absoluteFolder(argument));
}

std::string mountPointOf(const std::string& path, const std::string& mountTable)
{
    std::string best = "/";
    std::ifstream in(mountTable);
    std::string line;
    const std::string target = withTrailingSlash(path);
    while (std::getline(in, line)) {
        const size_t first = line.find(' ');
        if (first == std::string::npos)
            continue;
        const size_t second = line.find(' ', first + 1);
        const std::string point =
            decodeMountField(std::string_view(line).substr(first + 1, second - first - 1));
        if (point.empty() || point.front() != '/')
            continue;
        const std::string root = withTrailingSlash(point);
        if (target.starts_with(root) && root.size() > best.size())
            best = root;
    }
    return best;
}

} // namespace zephrix::cli
