#include "app/SearchSession.h"

namespace zephrix {

SearchSession::SearchSession(const std::string& indexesDir, SearchFrontEnd frontEnd, ErrorReporter& errors,
                             IndexingView* indexingView)
    : driver_(index_, frontEnd, state_)
{
    index_.indexesDir = indexesDir;
    index_.errors = &errors;
    index_.indexingView = indexingView;
}

} // namespace zephrix
