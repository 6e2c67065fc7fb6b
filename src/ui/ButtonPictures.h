#pragma once
#include <QRectF>

class QPainter;

namespace zephrix {

// `ILButtons`: the pictures of the dialogs' picture buttons, 111 by 23, by
// their number in the list. Odd numbers are the raised look, the next even
// number the same caption pressed.
namespace ILButtons {
inline constexpr int OkNormal = 1;
inline constexpr int OkPressed = 2;
inline constexpr int ShowHelpNormal = 3;
inline constexpr int ShowHelpPressed = 4;
inline constexpr int CheckVersionNormal = 5;
inline constexpr int CheckVersionPressed = 6;
inline constexpr int CancelNormal = 13;
inline constexpr int CancelPressed = 14;
inline constexpr int SendReport = 21; // no pressed look

inline constexpr int Width = 111;
inline constexpr int Height = 23;

// Paints picture `number` into box; an unknown number paints nothing.
void paint(QPainter& painter, const QRectF& box, int number);
} // namespace ILButtons

} // namespace zephrix
