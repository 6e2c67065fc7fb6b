#include "shell/DesktopEntry.h"

#include "shell/DetachedLaunch.h"
#include "shell/KeyFile.h"

namespace zephrix {
namespace {

// One argument of Exec: literal text and field codes, in order.
struct Piece {
    std::string text;
    char code = 0; // 0 for literal text
};
using Argument = std::vector<Piece>;

std::optional<std::vector<Argument>> splitExec(const std::string& exec)
{
    std::vector<Argument> arguments;
    Argument current;
    bool inArgument = false;
    bool quoted = false;
    auto literal = [&](char c) {
        if (current.empty() || current.back().code != 0)
            current.push_back({});
        current.back().text += c;
        inArgument = true;
    };
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (!quoted && (c == ' ' || c == '\t' || c == '\n')) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (quoted && c == '\\' && i + 1 < exec.size() &&
                   std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
            literal(exec[++i]);
        } else if (c == '%' && i + 1 < exec.size()) {
            const char code = exec[++i];
            if (code == '%')
                literal('%');
            else {
                current.push_back({{}, code});
                inArgument = true;
            }
        } else {
            literal(c);
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

bool isFileCode(char code)
{
    return code == 'f' || code == 'F' || code == 'u' || code == 'U';
}

} // namespace

std::optional<DesktopEntry> readDesktopEntry(const std::string& filePath, const std::string& id)
{
    const KeyFile file = readKeyFile(filePath);
    const auto group = file.find("Desktop Entry");
    if (group == file.end())
        return std::nullopt;
    auto value = [&](const char* key) {
        const auto found = group->second.find(key);
        return found == group->second.end() ? std::string() : unescapeValue(found->second);
    };
    if (value("Type") != "Application" || value("Hidden") == "true" || value("Exec").empty())
        return std::nullopt;
    const std::string tryExec = value("TryExec");
    if (!tryExec.empty() && findProgram(tryExec).empty())
        return std::nullopt;

    DesktopEntry entry;
    entry.id = id;
    entry.filePath = filePath;
    entry.name = value("Name");
    entry.icon = value("Icon");
    entry.exec = value("Exec");
    entry.workingFolder = value("Path");
    entry.terminal = value("Terminal") == "true";
    const auto types = group->second.find("MimeType");
    if (types != group->second.end())
        entry.mimeTypes = splitList(types->second);
    return entry;
}

std::optional<std::vector<std::string>> commandLineFor(const DesktopEntry& entry, const std::string& path)
{
    const std::optional<std::vector<Argument>> split = splitExec(entry.exec);
    if (!split)
        return std::nullopt;
    std::vector<std::string> argv;
    bool fileGiven = false;
    for (const Argument& argument : *split) {
        // A code that stands alone is replaced by whole arguments.
        if (argument.size() == 1 && argument[0].code != 0) {
            const char code = argument[0].code;
            if (isFileCode(code)) {
                argv.push_back(path);
                fileGiven = true;
            } else if (code == 'i' && !entry.icon.empty()) {
                argv.push_back("--icon");
                argv.push_back(entry.icon);
            } else if (code == 'c') {
                argv.push_back(entry.name);
            } else if (code == 'k') {
                argv.push_back(entry.filePath);
            }
            continue;
        }
        // Inside a longer argument a code becomes text of that argument.
        std::string text;
        for (const Piece& piece : argument) {
            if (piece.code == 0)
                text += piece.text;
            else if (isFileCode(piece.code)) {
                text += path;
                fileGiven = true;
            } else if (piece.code == 'i')
                text += entry.icon;
            else if (piece.code == 'c')
                text += entry.name;
            else if (piece.code == 'k')
                text += entry.filePath;
        }
        argv.push_back(std::move(text));
    }
    if (argv.empty() || argv[0].empty())
        return std::nullopt;
    if (!fileGiven)
        argv.push_back(path);
    return argv;
}

} // namespace zephrix
