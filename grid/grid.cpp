#include "grid/grid.h"

#include <cstdint>

namespace {

// Glyphs of the first four codes; '+', 'X' and '!' are used as they are.
constexpr char space = ' ';
constexpr char wall = '#';
constexpr char cheese = 'C';
constexpr char runner = 'M';

}  // namespace

char glyph_of(std::int32_t code) {
  switch (code) {
    case kOpen:
      return space;
    case kWall:
      return wall;
    case kCheese:
      return cheese;
    case kRunner:
      return runner;
    case kWalked:
      return '+';
    case kBacktracked:
      return 'X';
    default:  // dead cells, and codes no maze source should make
      return '!';
  }
}

std::int32_t cell_at(const Column* pass_maze, int col, int row) {
  // A loaded maze may put open cells or the runner on the border; what lies
  // beyond it is solid.
  const bool on_grid = col >= 0 && col < kSize && row >= 0 && row < kSize;
  return on_grid ? pass_maze[col][row] : kWall;
}

int count_runners(const Column* pass_maze) {
  int count = 0;
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      if (pass_maze[c][r] == kRunner) ++count;
    }
  }
  return count;
}
