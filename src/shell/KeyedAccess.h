#pragma once
#include <QObject>
#include <QString>

class QTimer;
class QWidget;
struct _XDisplay;

namespace zephrix {

// Super+S from anywhere: four times a second the keyboard is looked at, and
// while the left Super key and S are down together the main window is shown
// in the state it was left in (no foreground forcing). The option
// DisableKeyedAccess is read at every tick, so changing it takes effect at
// the next one. Only an X11 session lets a program see keys pressed in other
// programs' windows; elsewhere (Wayland, offscreen) the ticks do nothing and
// the Options page shows unavailableNotice() beside chkDisableKeyedAccess.
class KeyedAccess : public QObject {
    Q_OBJECT
  public:
    static constexpr int IntervalMs = 250;

    // timer: the window's own tmrCheckforAccessing when it has one; without
    // it the poller makes one of that name, as a child of window. Either way
    // the timer is started here and never stopped.
    explicit KeyedAccess(QWidget* window, QTimer* timer = nullptr);
    ~KeyedAccess() override;

    // The key pair can be seen in this session.
    bool available() const { return display_ != nullptr; }
    static QString unavailableNotice();
    QTimer* timer() const { return tmrCheckforAccessing; }

  public slots:
    void tmrCheckforAccessing_Timer();

  private:
    QWidget* window_;
    QTimer* tmrCheckforAccessing;
    _XDisplay* display_ = nullptr;
    unsigned superKey_ = 0; // key codes; 0 where the keyboard map has none
    unsigned sKey_ = 0;
};

} // namespace zephrix
