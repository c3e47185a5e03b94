#include "sources/random_maze.h"

#include <cstdint>
#include <cstdlib>

#include "grid/grid.h"

void random_maze(Column* pass_maze) {
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      // Every cell takes its draw, even those overwritten below, so that a
      // seed always gives the same maze.
      std::int32_t code = std::rand() % 3;
      if (code == kCheese) code = kOpen;
      if (c == 0 || c == kSize - 1) code = kWall;
      if (r == 0 || r == kSize - 1) code = kWall;
      if (r == 1 && c == 1) code = kRunner;
      if (r == kSize - 2 && c == kSize - 2) code = kCheese;
      pass_maze[c][r] = code;
    }
  }
}
