#include "app/OptionValues.h"

namespace zephrix {

OptionValues& moduleOptions()
{
    static OptionValues values;
    return values;
}

} // namespace zephrix
