#pragma once
#include <string>
#include <vector>

#include "core/EngineHost.h"

namespace zephrix::test {

// Keeps every reported failure so a test can look at location, number and text.
class RecordingReporter : public ErrorReporter {
  public:
    struct Report {
        int location;
        int number;
        std::string description;
    };
    void reportError(int location, int number, const std::string& description) override
    {
        reports.push_back({location, number, description});
    }
    std::vector<Report> reports;
};

} // namespace zephrix::test
