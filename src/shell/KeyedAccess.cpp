#include "shell/KeyedAccess.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include "app/OptionValues.h"
#include "shell/WindowShow.h"

#ifdef ZEPHRIX_HAVE_X11
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

namespace zephrix {
namespace {

#ifdef ZEPHRIX_HAVE_X11
bool keyDown(const char (&keys)[32], unsigned code)
{
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}
#endif

} // namespace

KeyedAccess::KeyedAccess(QWidget* window, QTimer* timer)
    : QObject(window), window_(window), tmrCheckforAccessing(timer)
{
    if (!tmrCheckforAccessing) {
        tmrCheckforAccessing = new QTimer(this);
        tmrCheckforAccessing->setObjectName(QStringLiteral("tmrCheckforAccessing"));
    }
#ifdef ZEPHRIX_HAVE_X11
    // A connection of our own, opened once: each tick is then one small
    // request that never touches the toolkit's event queue.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        display_ = XOpenDisplay(nullptr);
    if (display_) {
        superKey_ = XKeysymToKeycode(display_, XK_Super_L);
        sKey_ = XKeysymToKeycode(display_, XK_s);
    }
#endif
    connect(tmrCheckforAccessing, &QTimer::timeout, this, &KeyedAccess::tmrCheckforAccessing_Timer);
    tmrCheckforAccessing->start(IntervalMs);
}

KeyedAccess::~KeyedAccess()
{
#ifdef ZEPHRIX_HAVE_X11
    if (display_)
        XCloseDisplay(display_);
#endif
}

QString KeyedAccess::unavailableNotice()
{
    return QStringLiteral("I cannot see the Windows-S keys in this desktop session. To call me up from the "
                          "keyboard, add a shortcut in your desktop's keyboard settings that runs: "
                          "zephrix --show");
}

void KeyedAccess::tmrCheckforAccessing_Timer()
{
    if (moduleOptions().DisableKeyedAccess != 0 || !display_)
        return;
#ifdef ZEPHRIX_HAVE_X11
    char keys[32] = {};
    XQueryKeymap(display_, keys);
    if (keyDown(keys, sKey_) && keyDown(keys, superKey_))
        showWindowAsLeft(window_);
#endif
}

} // namespace zephrix
