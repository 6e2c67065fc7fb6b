#pragma once
#include <functional>
#include <string>

#include "app/ErrorReportRequest.h"
#include "core/EngineHost.h"

namespace zephrix {

// The one call every error handler makes: the failing procedure's location
// code, the error number and the description. It hands the report to the
// installed presenter (the error report window) and returns without waiting.
void ReportError(int location, int number, const std::string& description);

// The window installs itself here at start-up. Without a presenter (before the
// window exists, or in a program without windows) reports go to stderr.
using ErrorPresenter = std::function<void(const ErrorReportFields&)>;
void setErrorPresenter(ErrorPresenter presenter);

// Hands engine failures (index builder, loader, drive catalogue, search) to
// ReportError.
class ErrorReportForwarder final : public ErrorReporter {
  public:
    void reportError(int location, int number, const std::string& description) override;
};

// The process's forwarder, for the engine contexts.
ErrorReporter& engineErrorReporter();

} // namespace zephrix
