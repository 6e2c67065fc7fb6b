#include "app/ModuleState.h"

namespace zephrix {

std::vector<Drive>& DriveList()
{
    static std::vector<Drive> drives;
    return drives;
}

} // namespace zephrix
