#include "shell/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "app/DataPaths.h"
#include "app/ErrorLocations.h"
#include "app/HandlerFailure.h"
#include "shell/DesktopOpen.h"

namespace zephrix {
namespace {

// Where a failure of Check Version is reported from.
constexpr int CheckVersionClick = 2116;

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
    try {
        page = QDir(QString::fromStdString(helpFolder())).filePath(page);
        openInBrowserOrSay(QFile::encodeName(page).toStdString());
    } catch (...) {
        reportCurrentException(Locations::OpenHelpPage);
    }
}

void OpenWebPage(const QString& address)
{
    try {
        openInBrowserOrSay(address.toStdString());
    } catch (...) {
        reportCurrentException(CheckVersionClick);
    }
}

} // namespace zephrix
