// The runner solver: a depth-first search in three modes. Walk mode steps
// into open cells, backtrack mode steps back onto walked cells, and the
// second backtrack mode onto backtracked cells. Each entry into a mode is a
// step, counted whether or not it moves the runner; every move to another
// cell is followed by a frame and a fresh entry into walk mode.
#ifndef MAZE_SOLVER_SOLVER_H_
#define MAZE_SOLVER_SOLVER_H_

#include <ostream>

#include "grid/grid.h"
#include "solver/ending.h"

// Steps taken by each mode.
struct Counters {
  int nk = 0;    // walk mode
  int bk = 0;    // backtrack mode
  int bkII = 0;  // second backtrack mode
  int total() const { return nk + bk + bkII; }
};

struct Outcome {
  Ending ending;
  Counters counters;
  int frames;  // always one more than the moves made
};

// Prints the grid's first frame, takes steps until one of the three
// endings, printing a frame after every move, and then prints the ending.
// Requires at least one runner cell. Changes the grid in place and writes
// only the codes 3 to 6. Stops as soon as `out` fails. Does not flush `out`.
// Never pauses or exits: the caller does.
Outcome solve_maze(Column* pass_maze, std::ostream& out);

#endif  // MAZE_SOLVER_SOLVER_H_
