#include "solver/runners.h"

#include <cassert>

#include "grid/grid.h"

Runners collect_runners(const Column* pass_maze) {
  Runners runners;
  for (int i = 0; i < kCells; ++i) {
    const Position p = position_at(i);
    if (pass_maze[p.col][p.row] == kRunner) runners.at[runners.count++] = i;
  }
  return runners;
}

Position mover(const Runners& runners) {
  assert(runners.count > 0);
  return position_at(runners.at[runners.count - 1]);
}

void move_mover(Runners* runners, int to) {
  // It can only have moved one row up or down, so this walks a few places
  // at most; stepping before other runners hands the move on to them.
  assert(runners->count > 0);
  int i = runners->count - 1;
  while (i > 0 && runners->at[i - 1] > to) {
    runners->at[i] = runners->at[i - 1];
    --i;
  }
  runners->at[i] = to;
}
