#pragma once
#include <QCoreApplication>

namespace zephrix::test {

// The event loop fetches and the loopback server run in, kept for the whole test program.
inline QCoreApplication& coreApplication()
{
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return *QCoreApplication::instance();
}

} // namespace zephrix::test
