#pragma once

class QWidget;
class QMouseEvent;

namespace zephrix {

// Moves a borderless window by its header bar: a left-button drag hands the
// move to the window manager; any other button state does nothing.
// Returns true when a move was started.
bool dragWindowByHeader(QWidget* window, const QMouseEvent* event);

} // namespace zephrix
