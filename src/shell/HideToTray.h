#pragma once

class QWidget;

namespace zephrix {

// Hides a window to the notification area. Where the desktop has none the
// window is minimised instead, so that it can always be found again.
void hideWindowToTray(QWidget* window);

} // namespace zephrix
