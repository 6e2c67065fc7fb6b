#pragma once
#include <functional>
#include <string>
#include <vector>

#include "index/IndexingView.h"

namespace zephrix::indextest {

// Writes down every label the builder sets, in order, and can run a hook on
// each call (to press Cancel at an exact moment).
class RecordingView : public IndexingView {
  public:
    void showIndexing() override { note("show"); }
    void hideIndexing() override { note("hide"); }
    void setIndexingPath(const std::string& text) override { note("path:" + text); }
    void setIndexingStatus(const std::string& text) override { note("status:" + text); }
    void setIndexingFilesFound(const std::string& text) override { note("files:" + text); }
    void setIndexingDirectoriesFound(const std::string& text) override { note("dirs:" + text); }

    std::vector<std::string> calls;
    std::function<void(const std::string&)> onCall;

    std::vector<std::string> callsStartingWith(const std::string& prefix) const
    {
        std::vector<std::string> matching;
        for (const auto& call : calls) {
            if (call.rfind(prefix, 0) == 0)
                matching.push_back(call);
        }
        return matching;
    }

  private:
    void note(const std::string& call)
    {
        calls.push_back(call);
        if (onCall)
            onCall(call);
    }
};

} // namespace zephrix::indextest
