// Which runner moves. A maze may hold several runner cells; at every step
// the one that moves is the last in reading order at that moment (the one on
// the lowest row and, on that row, the rightmost). The others stand still
// and block their cells.
#ifndef MAZE_SOLVER_RUNNERS_H_
#define MAZE_SOLVER_RUNNERS_H_

#include "grid/grid.h"

// The runner cells' reading indices, in reading order. A move keeps their
// number, so the list, kept up to date, stands in for a scan of the whole
// grid at every step.
struct Runners {
  int count = 0;
  int at[kCells] = {};
};

// Every runner cell (3) of the grid. Does not change the grid.
Runners collect_runners(const Column* pass_maze);

// The runner that moves: the last in reading order. Requires at least one
// runner.
Position mover(const Runners& runners);

// Records that the runner that moves now stands at reading index `to`.
// Requires at least one runner.
void move_mover(Runners* runners, int to);

#endif  // MAZE_SOLVER_RUNNERS_H_
