#include "app/UpdateCheck.h"

#include <QCoreApplication>
#include <QUrl>
#include <algorithm>
#include <cstdlib>

namespace zephrix {
namespace {

constexpr char VersionPage[] = "/products/zephrix/version.asp";
constexpr char NotesPage[] = "/products/zephrix/whatsnew.html";
constexpr char NewVersionMessage[] = "I would just like to let you know that there is a new version of this "
                                     "software available on our web site.";

QUrl pageUrl(const char* page)
{
    return QUrl(updateServiceAddress() + QLatin1String(page));
}

} // namespace

QString publisherWebSite()
{
    return QStringLiteral(ZEPHRIX_WEB_SITE);
}

QString updateServiceAddress()
{
    const char* overridden = std::getenv("ZEPHRIX_UPDATE_URL");
    QString address = QString::fromUtf8(overridden && *overridden ? overridden : ZEPHRIX_UPDATE_SERVICE);
    while (address.endsWith(QLatin1Char('/')))
        address.chop(1);
    return address;
}

std::optional<std::vector<int>> servedVersion(const QByteArray& answer)
{
    if (answer.size() != 5 || !answer.contains('.'))
        return std::nullopt;
    std::vector<int> numbers;
    for (const QByteArray& part : answer.split('.')) {
        if (part.isEmpty() ||
            !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        numbers.push_back(part.toInt());
    }
    return numbers;
}

bool isNewerVersion(const std::vector<int>& served, const Version& own)
{
    const int ownNumbers[] = {own.major, own.minor, own.revision};
    const size_t count = std::max<size_t>(served.size(), 3);
    for (size_t i = 0; i < count; ++i) {
        const int theirs = i < served.size() ? served[i] : 0;
        const int ours = i < 3 ? ownNumbers[i] : 0;
        if (theirs != ours)
            return theirs > ours;
    }
    return false;
}

void runUpdateCheck(UpdateCheckView& view, const Version& own, std::chrono::milliseconds timeout)
{
    view.showStatus(QStringLiteral("Checking for newer version"));
    QCoreApplication::processEvents();

    const std::optional<QByteArray> answer = fetchUrl(pageUrl(VersionPage), timeout);
    const std::optional<std::vector<int>> latest = answer ? servedVersion(*answer) : std::nullopt;
    // An older version on the service (a mirror lagging behind, a test
    // build here) is no news.
    if (!latest || !isNewerVersion(*latest, own))
        return;
    view.tellNewVersion(QLatin1String(NewVersionMessage) + QLatin1String("  ") + publisherWebSite());
    view.showReleaseNotes(fetchUrl(pageUrl(NotesPage), timeout));
}

} // namespace zephrix
