#pragma once
#include <gtest/gtest.h>

#include "index/IndexFormat.h"
#include "search/SearchHarness.h"

namespace zephrix::test {

// A tree to index, with the engine and the drive pair that go with it.
struct PairFixture : ::testing::Test {
    SearchHarness h;
    TempTree tree;
    std::string root = tree.path() + "/";
    IndexFormat::PairPaths pair = *IndexFormat::pairPaths(h.indexes, root, IndexMode::Drive);
};

} // namespace zephrix::test
