#pragma once
#include "index/IndexContext.h"
#include "search/SearchFrontEnd.h"
#include "search/SearchState.h"

namespace zephrix {

// Adds a row for every folder (on request) and every file of the index in
// memory that satisfies the request the view holds, in index order, folders
// first. Counts examined entries and accepted files in state, stops when
// state.SearchCancelled is set and sets it itself at the results limit.
// Yields through ctx.yield every 100 examined entries and after every
// accepted file. Only entries that passed every filter on the index text are
// looked up on disk.
void MatchLoadedIndex(IndexContext& ctx, SearchFrontEnd ui, SearchState& state);

} // namespace zephrix
