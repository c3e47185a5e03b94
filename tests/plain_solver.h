// The model the solver is compared with.
#ifndef MAZE_TESTS_PLAIN_SOLVER_H_
#define MAZE_TESTS_PLAIN_SOLVER_H_

#include <ostream>

#include "grid/grid.h"
#include "solver/solver.h"

// The solver written the obvious way, with its own spelling of the glyphs,
// the step limit and the endings: it scans the whole grid for the runner
// (the last in reading order) at every step and prints every frame glyph by
// glyph. Prints what solve_maze prints.
Outcome plain_solve(Column* maze, std::ostream& out);

#endif  // MAZE_TESTS_PLAIN_SOLVER_H_
