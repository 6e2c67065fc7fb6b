#include "app/ErrorReport.h"

#include <cstdio>
#include <utility>

namespace zephrix {
namespace {

ErrorPresenter& presenter()
{
    static ErrorPresenter installed;
    return installed;
}

} // namespace

void ReportError(int location, int number, const std::string& description)
{
    const ErrorReportFields fields{number, location, description};
    if (presenter()) {
        presenter()(fields);
        return;
    }
    std::fprintf(stderr, "zephrix: error %d at %d: %s\n", number, location, description.c_str());
}

void setErrorPresenter(ErrorPresenter installed)
{
    presenter() = std::move(installed);
}

void ErrorReportForwarder::reportError(int location, int number, const std::string& description)
{
    ReportError(location, number, description);
}

ErrorReporter& engineErrorReporter()
{
    static ErrorReportForwarder forwarder;
    return forwarder;
}

} // namespace zephrix
