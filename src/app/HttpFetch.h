#pragma once
#include <QByteArray>
#include <QUrl>
#include <chrono>
#include <optional>

namespace zephrix {

// How long one request may take before it is given up.
inline constexpr std::chrono::milliseconds HttpFetchTimeout{5000};

// One HTTP GET, waited on with a local event loop so the caller reads like a
// plain function call (the windows keep painting meanwhile). The body of a
// successful answer, or nothing: refused, unreachable, timed out, an error
// status, a body beyond a megabyte, or a URL that is not http(s). Needs a
// QCoreApplication.
std::optional<QByteArray> fetchUrl(const QUrl& url, std::chrono::milliseconds timeout = HttpFetchTimeout);

} // namespace zephrix
