#include "shell/TrayIcon.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include "shell/WindowShow.h"

namespace zephrix {

TrayIcon::TrayIcon(QWidget* window)
    : QObject(window), window_(window), icon_(new QSystemTrayIcon(this)), mnuOptions(new QMenu(window)),
      presenceCheck_(new QTimer(this))
{
    icon_->setObjectName(QStringLiteral("trayIcon"));
    icon_->setIcon(window->windowIcon());
    icon_->setToolTip(QString::fromLatin1(TipText));

    // Never given to the icon as its context menu: the icon would then open
    // it on every right click, also while the window is shown.
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptions->setTitle(QStringLiteral("Options"));
    mnuOptions->setAccessibleName(QStringLiteral("Options"));
    mnuRestore = mnuOptions->addAction(QStringLiteral("Restore"), this, &TrayIcon::mnuRestore_Click);
    mnuRestore->setObjectName(QStringLiteral("mnuRestore"));
    mnuReIndex = mnuOptions->addAction(QStringLiteral("Re-Index"), this, &TrayIcon::reIndexRequested);
    mnuReIndex->setObjectName(QStringLiteral("mnuReIndex"));
    sep2 = mnuOptions->addSeparator();
    sep2->setObjectName(QStringLiteral("sep2"));
    mnuExit = mnuOptions->addAction(QStringLiteral("Exit"), this, &TrayIcon::exitRequested);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    presenceCheck_->setObjectName(QStringLiteral("tmrTrayPresence"));
    presenceCheck_->setInterval(PresenceCheckMs);
    connect(presenceCheck_, &QTimer::timeout, this, &TrayIcon::checkPresence);
}

void TrayIcon::add()
{
    trayPresent_ = QSystemTrayIcon::isSystemTrayAvailable();
    icon_->show();
    presenceCheck_->start();
}

void TrayIcon::remove()
{
    presenceCheck_->stop();
    mnuOptions->hide();
    icon_->hide();
}

void TrayIcon::hideWindow()
{
    // Noted here too, so that a notification area that goes right after
    // this is seen going by the next check.
    trayPresent_ = QSystemTrayIcon::isSystemTrayAvailable();
    if (icon_->isVisible() && trayPresent_)
        window_->hide();
    else
        window_->showMinimized();
}

void TrayIcon::restoreWindow()
{
    zephrix::restoreWindow(window_);
}

void TrayIcon::mnuRestore_Click()
{
    showWindowAsLeft(window_);
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Context && !window_->isVisible())
        mnuOptions->popup(QCursor::pos());
    else if (reason == QSystemTrayIcon::DoubleClick)
        restoreWindow();
}

void TrayIcon::checkPresence()
{
    const bool present = QSystemTrayIcon::isSystemTrayAvailable();
    if (present == trayPresent_)
        return;
    trayPresent_ = present;
    if (!present) {
        // The icon went with the notification area: a hidden window would
        // be out of reach.
        mnuOptions->hide();
        if (!window_->isVisible())
            window_->showMinimized();
        return;
    }
    // The X11 notification area protocol docks the icon again by itself;
    // one spoken to over D-Bus may not know it yet: register it again.
    icon_->hide();
    icon_->show();
}

} // namespace zephrix
