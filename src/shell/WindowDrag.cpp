#include "shell/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace zephrix {

bool dragWindowByHeader(QWidget* window, const QMouseEvent* event)
{
    if (!window || event->buttons() != Qt::LeftButton)
        return false;
    QWindow* handle = window->window()->windowHandle();
    return handle && handle->startSystemMove();
}

} // namespace zephrix
