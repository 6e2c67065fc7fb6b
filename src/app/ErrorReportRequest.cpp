#include "app/ErrorReportRequest.h"

#include <cstdlib>

namespace zephrix {
namespace {

constexpr char ReportPage[] = "/products/errorreport.asp";
constexpr char RetryPrefix[] = "RETRY|";

QByteArray encoded(const QString& value)
{
    return QUrl::toPercentEncoding(value);
}

} // namespace

QString errorReportServiceAddress()
{
    const char* overridden = std::getenv("ZEPHRIX_REPORT_URL");
    QString host = QString::fromUtf8(overridden && *overridden ? overridden : ZEPHRIX_REPORT_SERVICE);
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    return host + QLatin1String(ReportPage);
}

QUrl errorReportUrl(const QString& address, const Version& version, const ErrorReportFields& fields)
{
    const QString application = QStringLiteral("Zephrix") + QString::number(version.major) +
                                QString::number(version.minor) + QString::number(version.revision);
    QByteArray query = "?application=" + encoded(application);
    query += "&errorlocation=" + QByteArray::number(fields.ErrorLocation);
    query += "&errornumber=" + QByteArray::number(fields.ErrorNumber);
    query += "&errordescription=" + encoded(QString::fromStdString(fields.ErrorDescription));
    // The query is already in its encoded form; StrictMode keeps QUrl from
    // reinterpreting any of it.
    return QUrl(address + QString::fromLatin1(query), QUrl::StrictMode);
}

QString retryAddress(const QByteArray& answer)
{
    const QByteArray prefix(RetryPrefix);
    if (answer.size() <= prefix.size() || !answer.startsWith(prefix))
        return {};
    return QString::fromUtf8(answer.mid(prefix.size())).trimmed();
}

int sendErrorReport(const ErrorReportFields& fields, const Version& version,
                    std::chrono::milliseconds timeout)
{
    const std::optional<QByteArray> answer =
        fetchUrl(errorReportUrl(errorReportServiceAddress(), version, fields), timeout);
    if (!answer)
        return 0;
    const QString next = retryAddress(*answer);
    if (next.isEmpty())
        return 1;
    // The second answer is not read: one redirection is all the service gets.
    return fetchUrl(errorReportUrl(next, version, fields), timeout) ? 2 : 1;
}

} // namespace zephrix
