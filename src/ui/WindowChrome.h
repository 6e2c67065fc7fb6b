#pragma once
#include <QSize>

#include "ui/HeaderBar.h"

class QWidget;

namespace zephrix {

class PictureButton;

// Converts the layout unit of the windows (1/1440 inch, 15 to a pixel at 96
// dpi) into pixels.
constexpr int twips(int value)
{
    return value / 15;
}

// Makes `window` a fixed-size window without a system title bar and gives it
// its header bar.
HeaderBar* setUpBorderlessWindow(QWidget* window, QSize clientSize,
                                 HeaderBar::MoveStart moveStart = HeaderBar::MoveStart::OnMouseMove);

// Places a window in the middle of the primary screen's free area.
void centreOnScreen(QWidget* window);

// `pctMinimize`: the hide picture over the header bar at `left`; the caller
// connects its click.
PictureButton* addHidePicture(QWidget* window, int left);

} // namespace zephrix
