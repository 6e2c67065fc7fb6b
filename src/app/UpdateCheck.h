#pragma once
#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>
#include <vector>

#include "app/HttpFetch.h"
#include "app/Version.h"

namespace zephrix {

// The publisher's web site, named in the new-version message and opened by
// "Check Version".
QString publisherWebSite();

// The update service: $ZEPHRIX_UPDATE_URL when set, else the built-in address.
QString updateServiceAddress();

// The version numbers of the service's answer, when it is one: exactly five
// characters holding a '.', numbers between the dots. Nothing otherwise.
std::optional<std::vector<int>> servedVersion(const QByteArray& answer);

// True when `served` is a later version than `own`, compared number by
// number (2.10 is later than 2.9; a missing number counts as 0).
bool isNewerVersion(const std::vector<int>& served, const Version& own);

// What the check shows; the windows provide it.
class UpdateCheckView {
  public:
    virtual ~UpdateCheckView() = default;
    virtual void showStatus(const QString& text) = 0;
    // Returns once the user has closed the message.
    virtual void tellNewVersion(const QString& message) = 0;
    // Shows the release notes without waiting; nothing when they could not
    // be fetched (the window then keeps its initial text).
    virtual void showReleaseNotes(const std::optional<QByteArray>& notes) = 0;
};

// The start-up check for a newer version: asks the update service for the
// latest version and, only when it is newer than `own`, tells the user and
// shows the release notes. Every failure (no service, an error, an answer
// that is not a version, no answer in `timeout`) ends it without a word.
void runUpdateCheck(UpdateCheckView& view, const Version& own = programVersion(),
                    std::chrono::milliseconds timeout = HttpFetchTimeout);

} // namespace zephrix
