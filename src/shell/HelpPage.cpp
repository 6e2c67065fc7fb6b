#include "shell/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "app/DataPaths.h"
#include "shell/DesktopOpen.h"

namespace zephrix {
namespace {

void openInBrowserOrSay(const std::string& target)
{
    switch (openInBrowser(target)) {
    case OpenResult::Opened:
        break;
    case OpenResult::NoApplication:
        QMessageBox::warning(nullptr, QStringLiteral("Browser Not Found"),
                             QStringLiteral("Could not find associated Browser"));
        break;
    case OpenResult::LaunchFailed:
        QMessageBox::warning(nullptr, QStringLiteral("URL Failed"), QStringLiteral("Web Page not Opened"));
        break;
    }
}

} // namespace

void OpenHelpPage(QString& page)
{
    page = QDir(QString::fromStdString(helpFolder())).filePath(page);
    openInBrowserOrSay(QFile::encodeName(page).toStdString());
}

void OpenWebPage(const QString& address)
{
    openInBrowserOrSay(address.toStdString());
}

} // namespace zephrix
