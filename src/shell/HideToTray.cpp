#include "shell/HideToTray.h"

#include <QSystemTrayIcon>
#include <QWidget>

namespace zephrix {

void hideWindowToTray(QWidget* window)
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        window->hide();
    else
        window->showMinimized();
}

} // namespace zephrix
