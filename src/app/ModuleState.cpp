#include "app/ModuleState.h"

#include "app/DataPaths.h"
#include "app/ErrorReport.h"

namespace zephrix {

IndexContext& indexContext()
{
    static IndexContext* context = [] {
        auto* created = new IndexContext;
        created->indexesDir = indexesFolder();
        created->errors = &engineErrorReporter();
        return created;
    }();
    return *context;
}

std::vector<Drive>& DriveList()
{
    static std::vector<Drive> drives;
    return drives;
}

} // namespace zephrix
