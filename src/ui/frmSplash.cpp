#include "ui/frmSplash.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

#include "app/ErrorLocations.h"
#include "app/ErrorReport.h"
#include "app/HandlerFailure.h"
#include "app/ModuleState.h"
#include "app/OptionValues.h"
#include "app/OptionsAtLoad.h"
#include "app/TestEnvironment.h"
#include "app/UpdateCheck.h"
#include "app/Version.h"
#include "ui/Artwork.h"
#include "ui/WindowChrome.h"
#include "ui/frmNewRelease.h"
#include "ui/frmSearch.h"

namespace zephrix {

frmSplash::frmSplash()
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Zephrix"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(420, 250);
    centreOnScreen(this);

    lblStatus = new QLabel(QStringLiteral("Loading..."), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(28, 204, 240, 22);
    lblStatus->setFont(art::uiFont(9.5));
    QPalette light = lblStatus->palette();
    light.setColor(QPalette::WindowText, QColor(0xe4, 0xf3, 0xfa));
    lblStatus->setPalette(light);

    tmrInitializeApp = new QTimer(this);
    tmrInitializeApp->setObjectName(QStringLiteral("tmrInitializeApp"));
    tmrInitializeApp->setInterval(1000);
    connect(tmrInitializeApp, &QTimer::timeout, this, &frmSplash::tmrInitializeApp_Timer);
    tmrInitializeApp->start();
}

void frmSplash::tmrInitializeApp_Timer()
{
    int position = 1;
    try {
        tmrInitializeApp->stop();
        if (autoUpdateEnabled()) {
            position = 2;
            // The check's own failures never stop the start-up.
            try {
                StartupUpdateNotice notice(lblStatus);
                runUpdateCheck(notice);
            } catch (...) {
            }
        }
        position = 3;
        DriveList() = LoadDriveList(&engineErrorReporter(), driveMountTable());
        position = 13;
        frmSearch& main = frmSearch::instance();
        if (moduleOptions().StartHidden != 1)
            main.show();
        else
            main.hideToTray();
        frmNewRelease::bringToFront();
        position = 14;
        close();
    } catch (...) {
        reportCurrentException(Locations::StartupSteps, " Position: " + std::to_string(position));
    }
    emit startupFinished();
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF all = rect();
    QLinearGradient sky(all.topLeft(), all.bottomRight());
    sky.setColorAt(0.0, art::colour::DeepNavy);
    sky.setColorAt(0.6, art::colour::Navy);
    sky.setColorAt(1.0, QColor(0x1f, 0x86, 0xa8));
    painter.fillRect(all, sky);

    // Soft rings behind the logo.
    painter.setPen(QPen(QColor(255, 255, 255, 18), 18));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(332, 70), 120, 120);
    painter.setPen(QPen(QColor(255, 255, 255, 12), 10));
    painter.drawEllipse(QPointF(332, 70), 175, 175);

    art::paintLogo(painter, QRectF(28, 38, 92, 92));

    painter.setPen(Qt::white);
    painter.setFont(art::uiFont(30, true));
    painter.drawText(QRectF(136, 44, 270, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zephrix"));
    painter.setPen(QColor(0xbf, 0xe6, 0xf2));
    painter.setFont(art::uiFont(12));
    painter.drawText(QRectF(138, 94, 270, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("File Search Accelerator"));

    painter.setPen(QColor(255, 255, 255, 150));
    painter.setFont(art::uiFont(8));
    painter.drawText(QRectF(138, 120, 270, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Version ") + QString::fromStdString(versionText()));

    // A rule above the status line.
    painter.fillRect(QRectF(28, 192, all.width() - 56, 1), QColor(255, 255, 255, 60));

    painter.setPen(QColor(0x0b, 0x22, 0x38));
    painter.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace zephrix
