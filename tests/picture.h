// Mazes drawn as pictures, for tests, and maze files written from grids.
#ifndef MAZE_TESTS_PICTURE_H_
#define MAZE_TESTS_PICTURE_H_

#include <string>
#include <vector>

#include "grid/grid.h"

// A maze drawn in the tests' own notation: ' ' open, 'C' cheese, 'M'
// runner, '+' walked, 'X' backtracked, '!' dead, a digit its own code, and
// anything else a wall. Row k of the picture is row k of the grid, from
// column 0; cells the picture leaves out are walls.
using Picture = std::vector<std::string>;

// Fills the grid from a picture.
void fill_from_picture(const Picture& picture, Column* maze);

// Fills the grid from the first frame in `frame`, read with the program's
// own glyphs; '!' reads as a dead cell.
void fill_from_frame(const std::string& frame, Column* maze);

// The text of a maze file holding the grid: its 900 numbers with `blank`
// between them and `line_end` after each row.
std::string maze_file_text(const Column* maze, const std::string& blank = " ",
                           const std::string& line_end = "\n");

#endif  // MAZE_TESTS_PICTURE_H_
