#pragma once

namespace zephrix {

// The start-up check for a newer version. Its own failures never reach the
// user and never stop the start-up.
void runUpdateCheck();

} // namespace zephrix
