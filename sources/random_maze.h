// The random maze: about two open cells to every wall, inside a walled
// border, with the runner in the top-left corner and the cheese in the
// bottom-right corner inside the border.
#ifndef MAZE_SOURCES_RANDOM_MAZE_H_
#define MAZE_SOURCES_RANDOM_MAZE_H_

#include "grid/grid.h"

// Fills every cell from std::rand(), which the caller has seeded: calls it
// exactly 900 times, once per cell in reading order. Puts the runner at
// column 1, row 1 and the cheese at column 28, row 28. Never checks that
// the maze can be solved.
void random_maze(Column* pass_maze);

#endif  // MAZE_SOURCES_RANDOM_MAZE_H_
