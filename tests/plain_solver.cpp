#include "tests/plain_solver.h"

#include <cstdint>
#include <ostream>
#include <string>

#include "grid/grid.h"
#include "solver/ending.h"
#include "solver/solver.h"

namespace {

// The code of a neighbour, read by the model itself: outside the grid is
// wall.
std::int32_t neighbour(const Column* maze, const Position& p,
                       const int (&d)[2]) {
  const Position n{p.col + d[0], p.row + d[1]};
  const bool inside =
      n.col >= 0 && n.col < kSize && n.row >= 0 && n.row < kSize;
  return inside ? maze[n.col][n.row] : 1;
}

// The steps of all three modes, added up by the model itself.
int total_of(const Counters& k) { return k.nk + k.bk + k.bkII; }

// The runner scan: every cell in reading order, keeping the last runner.
// Column 0, row 0 when there is none.
Position scan_for_runner(const Column* maze) {
  Position found{0, 0};
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      if (maze[c][r] == kRunner) found = Position{c, r};
    }
  }
  return found;
}

char plain_glyph(std::int32_t code) {
  return code >= 0 && code <= 6 ? " #CM+X!"[code] : '!';
}

void draw_slowly(const Column* maze, std::ostream& out) {
  int k = 0;
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      out.put(plain_glyph(maze[c][r]));
      if (++k == kSize) {
        out << "\n";
        k = 0;
      }
    }
  }
}

// Moves the scanned runner to the first neighbour in `order` that holds
// `target`; returns false when there is none.
bool try_move(Column* maze, const int (&order)[4][2], std::int32_t target,
              std::int32_t trail) {
  const Position p = scan_for_runner(maze);
  for (const auto& d : order) {
    if (neighbour(maze, p, d) == target) {
      maze[p.col][p.row] = trail;
      maze[p.col + d[0]][p.row + d[1]] = kRunner;
      return true;
    }
  }
  return false;
}

std::string plain_ending(Ending ending, int total) {
  switch (ending) {
    case Ending::kSolved:
      return "\nMaze Solved!!\nTotal Moves: " + std::to_string(total) + "\n";
    case Ending::kUnsolvable:
      return "\nThis maze cannot be solved!!\n" + std::to_string(total) +
             " Moves\n";
    case Ending::kLimit:
      return "Exceeded 2000 move limit\n";
    case Ending::kOutputFailed:
      break;
  }
  return "";
}

Outcome finish(Ending ending, const Counters& k, int frames,
               std::ostream& out) {
  out << plain_ending(ending, total_of(k));
  return Outcome{ending, k, frames};
}

}  // namespace

Outcome plain_solve(Column* maze, std::ostream& out) {
  static const int kWalkOrder[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  static const int kBackOrder[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
  Counters k;
  int frames = 1;
  draw_slowly(maze, out);
  int mode = 0;
  for (;;) {
    if (mode == 0) {
      ++k.nk;
      if (try_move(maze, kWalkOrder, kOpen, kWalked)) {
        draw_slowly(maze, out);
        ++frames;
        continue;
      }
      const Position p = scan_for_runner(maze);
      bool cheese_beside = false;
      for (const auto& d : kWalkOrder) {
        cheese_beside |= neighbour(maze, p, d) == kCheese;
      }
      if (cheese_beside) return finish(Ending::kSolved, k, frames, out);
      mode = 1;
    } else if (mode == 1) {
      ++k.bk;
      if (try_move(maze, kBackOrder, kWalked, kBacktracked)) {
        draw_slowly(maze, out);
        ++frames;
        mode = 0;
        continue;
      }
      mode = 2;
    } else {
      if (total_of(k) > 1999) return finish(Ending::kLimit, k, frames, out);
      ++k.bkII;
      if (try_move(maze, kBackOrder, kBacktracked, kDead)) {
        draw_slowly(maze, out);
        ++frames;
        mode = 0;
        continue;
      }
      return finish(Ending::kUnsolvable, k, frames, out);
    }
  }
}
