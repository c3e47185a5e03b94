#include "sources/random_maze.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "grid/grid.h"

namespace {

TEST(RandomMazeTest, HoldsItsShapeForEverySeed) {
  long open = 0;
  long interior = 0;
  for (unsigned seed = 0; seed < 300; ++seed) {
    std::srand(seed);
    Column maze[kSize];
    random_maze(maze);
    for (int c = 0; c < kSize; ++c) {
      for (int r = 0; r < kSize; ++r) {
        const std::int32_t code = maze[c][r];
        const bool border =
            c == 0 || r == 0 || c == kSize - 1 || r == kSize - 1;
        if (border) {
          ASSERT_EQ(code, kWall) << "seed " << seed;
        } else if (c == 1 && r == 1) {
          ASSERT_EQ(code, kRunner) << "seed " << seed;
        } else if (c == kSize - 2 && r == kSize - 2) {
          ASSERT_EQ(code, kCheese) << "seed " << seed;
        } else {
          ASSERT_TRUE(code == kOpen || code == kWall) << "seed " << seed;
          ++interior;
          if (code == kOpen) ++open;
        }
      }
    }
  }
  // About two open cells for every wall.
  const double share =
      static_cast<double>(open) / static_cast<double>(interior);
  EXPECT_GT(share, 0.62);
  EXPECT_LT(share, 0.71);
}

}  // namespace
