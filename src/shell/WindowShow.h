#pragma once

class QWidget;

namespace zephrix {

// Brings the main window back the way a double-click on the tray icon does:
// normal state (neither minimised nor maximised), shown, raised and active.
void restoreWindow(QWidget* window);

// Shows the window in the state it was left in, without asking for the
// foreground: the tray menu's Restore and Super+S.
void showWindowAsLeft(QWidget* window);

} // namespace zephrix
