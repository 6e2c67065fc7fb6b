#pragma once
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;
class QWidget;

// The program's pictures, drawn as vectors at run time so they stay sharp at
// any scale factor. Every window takes its colours and fonts from here.
namespace zephrix::art {

namespace colour {
inline const QColor Ink{0x1c, 0x27, 0x33};
inline const QColor MutedInk{0x4a, 0x5a, 0x6b};
inline const QColor Paper{0xf4, 0xf7, 0xfb};
inline const QColor Panel{0xe6, 0xee, 0xf6};
inline const QColor Navy{0x1f, 0x4e, 0x79};
inline const QColor DeepNavy{0x14, 0x30, 0x4d};
inline const QColor Teal{0x2a, 0x9f, 0xbc};
inline const QColor Frame{0x17, 0x3d, 0x60};
} // namespace colour

// The window's standard sans-serif font at a point size.
QFont uiFont(qreal pointSize, bool bold = false);

// The logo: a lens holding a lightning "Z", with its handle. Fills `box`
// (square) whatever its size.
void paintLogo(QPainter& painter, const QRectF& box);

// The logo as the windows' icon, drawn at the usual icon sizes.
QIcon logoIcon();

// The header bar: gradient, logo and "Zephrix: File Search Accelerator".
void paintHeaderBar(QPainter& painter, const QRectF& bar, const QString& title);

// The glass square of the pictures on a header bar, brighter while pressed.
// Returns the square, for the picture's own mark.
QRectF paintHeaderGlass(QPainter& painter, const QRectF& box, bool pressed);

// The hide picture of a header bar: a small glass square with a bar.
void paintHidePicture(QPainter& painter, const QRectF& box, bool pressed);

// A picture button: a caption on a raised bar, or sunk while pressed.
void paintButtonFace(QPainter& painter, const QRectF& box, const QString& caption, bool pressed);
// The font of the picture buttons' captions.
QFont buttonFont();

// The main window's toolbar pictures, drawn into a square box.
enum class ToolbarPicture { Open, Rename, Properties, Delete, Hide, Exit, Help };
void paintToolbarPicture(QPainter& painter, const QRectF& box, ToolbarPicture picture, bool pressed);
// The band behind the toolbar.
void paintToolbarBand(QPainter& painter, const QRectF& band);

// The tab strip: the tab heads over the panel that holds the pages, tab
// `selected` (0-based) raised and joined to the panel.
void paintTabStrip(QPainter& painter, const QRectF& strip, const QList<QRectF>& heads,
                   const QStringList& captions, int selected);
QFont tabFont();

// The small arrow at the right end of a picker's text box.
void paintDropDownArrow(QPainter& painter, const QRectF& box, bool pressed, bool enabled);

// The Search command: a lens over its caption on a raised face.
void paintSearchButton(QPainter& painter, const QRectF& box, bool pressed, bool enabled);

// The round badge at the left of a message: what kind of message it is.
enum class NoticeKind { Error, Information, Question };
void paintNoticeBadge(QPainter& painter, const QRectF& box, NoticeKind kind);

// The background and the thin border of a borderless window.
void paintWindowFrame(QPainter& painter, const QWidget& window);

} // namespace zephrix::art
