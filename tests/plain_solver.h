// The model the solver is compared with.
#ifndef MAZE_TESTS_PLAIN_SOLVER_H_
#define MAZE_TESTS_PLAIN_SOLVER_H_

#include <ostream>
#include <string>

#include "grid/grid.h"
#include "solver/solver.h"

// The solver written the obvious way: it scans the whole grid for the
// runner (the last in reading order) at every mode entry and prints every
// frame glyph by glyph. Prints what solve_maze prints.
Outcome plain_solve(Column* maze, std::ostream& out);

// The text it prints for `ending`, after a run of `total` moves.
std::string plain_ending(Ending ending, int total);

#endif  // MAZE_TESTS_PLAIN_SOLVER_H_
