#pragma once
#include <QString>
#include <QUrl>
#include <chrono>
#include <string>

#include "app/HttpFetch.h"
#include "app/Version.h"

namespace zephrix {

// The three fields of one error report.
struct ErrorReportFields {
    int ErrorNumber = 0;
    int ErrorLocation = 0;
    std::string ErrorDescription;
};

// The report service's page: $ZEPHRIX_REPORT_URL when set, else the built-in
// service address, followed by "/products/errorreport.asp".
QString errorReportServiceAddress();

// address + "?application=Zephrix" + major minor revision (no separators) +
// "&errorlocation=" ... "&errornumber=" ... "&errordescription=" .... Every
// query value is percent-encoded, so blanks, '&', '=' or '#' in a description
// neither break the request nor add keys of their own.
QUrl errorReportUrl(const QString& address, const Version& version, const ErrorReportFields& fields);

// The new address of a "RETRY|address" answer (blanks and line ends around it
// dropped); empty when the answer asks for no second request.
QString retryAddress(const QByteArray& answer);

// Sends the report, and once more to the address a "RETRY|" answer names.
// Best effort: nothing that goes wrong is reported. Returns the number of
// requests that got an answer.
int sendErrorReport(const ErrorReportFields& fields, const Version& version = programVersion(),
                    std::chrono::milliseconds timeout = HttpFetchTimeout);

} // namespace zephrix
