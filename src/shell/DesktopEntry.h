#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zephrix {

// The parts of an application's desktop entry that launching it needs.
struct DesktopEntry {
    std::string id;       // desktop file ID, such as "org.example.Viewer.desktop"
    std::string filePath; // where the entry was read
    std::string name;
    std::string icon;
    std::string exec; // the Exec value with its string escapes resolved
    std::string workingFolder;
    bool terminal = false;
    std::vector<std::string> mimeTypes;
};

// Reads the "Desktop Entry" group. Nothing when the file cannot be read, is
// not an application, is hidden (deleted), has no Exec, or names a TryExec
// program that is not installed.
std::optional<DesktopEntry> readDesktopEntry(const std::string& filePath, const std::string& id);

// The argument vector that opens `path` with the entry: Exec split as the
// Desktop Entry rules quote it, its field codes expanded (%f %F %u %U give the
// path as one argument whatever it holds; %i the icon, %c the name, %k the
// entry's file; %% a '%'; the deprecated codes vanish). An Exec without a
// file code gets the path as its last argument. Nothing when Exec has an
// unbalanced quote or no program.
std::optional<std::vector<std::string>> commandLineFor(const DesktopEntry& entry, const std::string& path);

} // namespace zephrix
