#include "app/FolderScopeRoot.h"

#include "core/PathText.h"

namespace zephrix {

std::string folderScopeRoot(const std::string& folder, const std::vector<Drive>& drives,
                            const std::string& shownRoot)
{
    if (folder.empty())
        return shownRoot;
    const std::string path = withTrailingSlash(folder);
    const std::string* best = nullptr;
    for (const Drive& drive : drives) {
        // Roots end in '/', so a leading part is always a whole folder.
        const std::string& root = drive.root;
        if (root.empty() || root.back() != '/' || path.compare(0, root.size(), root) != 0)
            continue;
        if (!best || root.size() > best->size())
            best = &root;
    }
    return best ? *best : shownRoot;
}

} // namespace zephrix
