#pragma once
#include <QObject>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QTimer;
class QWidget;

namespace zephrix {

// The program's one icon in the notification area. A double-click brings the
// main window back; the right button opens the menu mnuOptions (Restore,
// Re-Index, Exit), but only while the window is hidden; single clicks do
// nothing. It also keeps the window reachable when the notification area
// goes away (a panel that crashed or was removed) and puts the icon back when
// a notification area appears again.
//
// Wiring: create it with the main window, call add() at the end of the
// window's load, hideWindow() from Hide (cmdHide, lblHide, pctMinimize),
// remove() from Exit; connect reIndexRequested to cmdForceIndex_Click and
// exitRequested to cmdExit_Click.
class TrayIcon : public QObject {
    Q_OBJECT
  public:
    static constexpr const char* TipText = "Zephrix - Search Accelerator - Windows Key - S";
    // How often the presence of a notification area is looked at.
    static constexpr int PresenceCheckMs = 2000;

    // The icon picture is the window's own icon. Nothing is shown before add().
    explicit TrayIcon(QWidget* window);

    void add();
    void remove();

    // Hides the window while an icon can bring it back; minimises it where
    // there is no notification area, so that it can never be lost.
    void hideWindow();

    QSystemTrayIcon* icon() const { return icon_; }
    QMenu* menu() const { return mnuOptions; }

  signals:
    void reIndexRequested();
    void exitRequested();

  public slots:
    void restoreWindow();
    void mnuRestore_Click();

  private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void checkPresence();

    QWidget* window_;
    QSystemTrayIcon* icon_;
    QMenu* mnuOptions;
    QAction* mnuRestore;
    QAction* mnuReIndex;
    QAction* sep2;
    QAction* mnuExit;
    QTimer* presenceCheck_;
    bool trayPresent_ = false;
};

} // namespace zephrix
