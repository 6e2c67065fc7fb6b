#include "shell/DesktopOpen.h"

#include <cerrno>

#include "shell/DefaultApplication.h"
#include "shell/DetachedLaunch.h"

namespace zephrix {
namespace {

OpenResult launchResult(int error)
{
    return error == 0 ? OpenResult::Opened : OpenResult::LaunchFailed;
}

// xdg-open knows the desktop in use better than any lookup of ours; its
// absence is no failure while an association remains to be tried.
bool openWithXdgOpen(const std::string& target, OpenResult& result)
{
    const std::string opener = findProgram("xdg-open");
    if (opener.empty())
        return false;
    result = launchResult(launchDetached({opener, target}));
    return true;
}

} // namespace

int launchApplication(const DesktopEntry& entry, const std::string& target)
{
    std::optional<std::vector<std::string>> argv = commandLineFor(entry, target);
    if (!argv)
        return EINVAL;
    const std::string program = findProgram(argv->front());
    if (program.empty())
        return ENOENT;
    argv->front() = program;
    if (entry.terminal) {
        // Debian's name for the user's chosen terminal, which takes -e
        // followed by the command and its arguments.
        const std::string terminal = findProgram("x-terminal-emulator");
        if (terminal.empty())
            return ENOENT;
        argv->insert(argv->begin(), {terminal, "-e"});
    }
    return launchDetached(*argv, entry.workingFolder);
}

OpenResult openWithDefaultApplication(const std::string& path, const std::vector<std::string>& mimeTypes)
{
    const std::optional<DesktopEntry> application = defaultApplicationFor(mimeTypes);
    if (!application)
        return OpenResult::NoApplication;
    return launchResult(launchApplication(*application, path));
}

OpenResult openFolderWindow(const std::string& path, std::chrono::milliseconds busTimeout)
{
    if (FileManagerBus::showFolder(path, busTimeout) == FileManagerBus::Answer::Done)
        return OpenResult::Opened;
    OpenResult result;
    if (openWithXdgOpen(path, result))
        return result;
    return openWithDefaultApplication(path, mimeTypeWithParents("inode/directory"));
}

OpenResult openInBrowser(const std::string& target)
{
    OpenResult result;
    if (openWithXdgOpen(target, result))
        return result;
    const bool web = target.rfind("http://", 0) == 0 || target.rfind("https://", 0) == 0;
    const std::string scheme = target.substr(0, target.find(':'));
    // Only a browser will do: not the text editor that text/html's parent
    // type would bring.
    return openWithDefaultApplication(target,
                                      {web ? "x-scheme-handler/" + scheme : std::string("text/html")});
}

} // namespace zephrix
