#pragma once
#include <QRect>

#include "ui/WindowChrome.h"

// Where the main window's frame, toolbar, tab strip and pages lie. Positions
// are in device-independent pixels, converted from the window's design units.
namespace zephrix::layout {

// The pages are taller than the window's first design, so the drive and
// folder lists of the Search page show several rows; the window, the tab
// strip and the pages grow together by this much.
inline constexpr int PageGrowth = 67;

inline constexpr int ClientWidth = twips(8790);
inline constexpr int ClientHeight = twips(5760) + PageGrowth;
inline constexpr int MinimizeLeft = twips(8340);

inline const QRect Toolbar{0, twips(420), ClientWidth, twips(690)};
inline const QRect TabStrip{0, twips(1140), twips(8820), twips(4650) + PageGrowth};
// A page inside the tab strip, whichever is selected.
inline const QRect Page{twips(120), twips(510), twips(8505), twips(3945) + PageGrowth};

// A one-line text box's height, and the picture buttons' size on the pages.
inline constexpr int LineHeight = twips(285);
inline constexpr int ButtonWidth = twips(1665);
inline constexpr int ButtonHeight = twips(345);

// The tab heads, which are the click targets of the tabs.
inline const QRect TabTargets[4] = {
    {twips(90), twips(90), twips(975), twips(405)},
    {twips(1080), twips(90), twips(1095), twips(405)},
    {twips(2190), twips(90), twips(975), twips(405)},
    {twips(3180), twips(60), twips(975), twips(405)},
};

} // namespace zephrix::layout
