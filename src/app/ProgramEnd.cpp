#include "app/ProgramEnd.h"

#include <QCoreApplication>

namespace zephrix {

void endProgram()
{
    // exit() leaves every event loop of the thread, the nested ones of a
    // modal dialog included, so nothing can keep the program alive.
    QCoreApplication::exit(0);
}

} // namespace zephrix
