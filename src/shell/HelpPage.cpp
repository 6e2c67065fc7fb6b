#include "shell/HelpPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "app/DataPaths.h"

namespace zephrix {

void OpenHelpPage(QString& page)
{
    page = QDir(QString::fromStdString(helpFolder())).filePath(page);
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;

    // Platforms without desktop services (a bare X server, the offscreen
    // platform) still have xdg-open when a desktop is installed.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        QMessageBox::warning(nullptr, QStringLiteral("Browser Not Found"),
                             QStringLiteral("Could not find associated Browser"));
        return;
    }
    if (!QProcess::startDetached(opener, {page}))
        QMessageBox::warning(nullptr, QStringLiteral("URL Failed"), QStringLiteral("Web Page not Opened"));
}

} // namespace zephrix
