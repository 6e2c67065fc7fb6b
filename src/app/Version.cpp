#include "app/Version.h"

namespace zephrix {

Version programVersion()
{
    return {ZEPHRIX_VERSION_MAJOR, ZEPHRIX_VERSION_MINOR, ZEPHRIX_VERSION_REVISION};
}

std::string versionText()
{
    const Version v = programVersion();
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

} // namespace zephrix
