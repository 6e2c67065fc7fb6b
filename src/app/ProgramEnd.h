#pragma once

namespace zephrix {

// Ends the process at once, also from inside a search or a build running in
// a nested event loop (where leaving the event loop would only return to the
// interrupted work): the index files this process was writing are removed,
// so the pairs they would have replaced stay, and the process exits with 0.
// Nothing else needs saving: every setting is written when it changes.
[[noreturn]] void endProgram();

} // namespace zephrix
