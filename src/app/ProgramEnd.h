#pragma once

namespace zephrix {

// Ends the program at once: the event loop returns and every window closes
// without a question. Whatever runs at that moment is abandoned.
void endProgram();

} // namespace zephrix
