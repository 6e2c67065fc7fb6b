#include "app/UpdateCheck.h"

namespace zephrix {

void runUpdateCheck()
{
    // Deliberately empty: there is no update service to ask yet, and the
    // start-up steps already call this at the point where the check belongs.
}

} // namespace zephrix
