#include "shell/WindowShow.h"

#include <QWidget>

namespace zephrix {

void restoreWindow(QWidget* window)
{
    window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    window->show();
    window->raise();
    window->activateWindow();
}

void showWindowAsLeft(QWidget* window)
{
    window->show();
}

} // namespace zephrix
