#pragma once

namespace zephrix {

// Which pair of a root a build writes and a load reads: the drive pair,
// named after the root's stem, or the single folder pair (temp.idx and
// temppaths.idx) that a search of one folder indexes into.
enum class IndexMode { Drive, Folder };

} // namespace zephrix
