#include "ui/WindowYield.h"

#include <QCoreApplication>

namespace zephrix {

void WindowYield::operator()()
{
    const auto now = std::chrono::steady_clock::now();
    if (now - lastTurn_ < MinimumGap)
        return;
    ++turns_;
    QCoreApplication::processEvents();
    // Measured after the turn: a turn that took long (a repaint of many rows)
    // still leaves the engine its full share before the next one.
    lastTurn_ = std::chrono::steady_clock::now();
}

} // namespace zephrix
