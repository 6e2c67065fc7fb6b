#include "app/HttpFetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace zephrix {
namespace {

// The services answer with a line of text; anything much larger is not an
// answer and is not worth holding.
constexpr qint64 MaxBodyBytes = 1024 * 1024;

} // namespace

std::optional<QByteArray> fetchUrl(const QUrl& url, std::chrono::milliseconds timeout)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return std::nullopt;

    QNetworkAccessManager network;
    QNetworkRequest request(url);
    request.setTransferTimeout(int(timeout.count()));
    QNetworkReply* reply = network.get(request);

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool tooLarge = false;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 received, qint64) {
        if (received > MaxBodyBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    deadline.start(timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    std::optional<QByteArray> body;
    if (reply->error() == QNetworkReply::NoError && !tooLarge)
        body = reply->readAll();
    delete reply;
    return body;
}

} // namespace zephrix
