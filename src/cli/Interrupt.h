#pragma once

namespace zephrix::cli {

// Ctrl+C as the Cancel button: the first SIGINT only raises a flag that long
// work polls at its yields; a second one ends the program the usual way.
void installInterruptHandler();
bool interrupted();

} // namespace zephrix::cli
