// Mazes drawn with glyphs, for tests.
#ifndef MAZE_TESTS_PICTURE_H_
#define MAZE_TESTS_PICTURE_H_

#include <string>
#include <vector>

#include "grid/grid.h"

// A maze drawn with glyphs: row k of the picture is row k of the grid, from
// column 0. Cells the picture leaves out are walls. '!' stands for 6.
using Picture = std::vector<std::string>;

// Fills the grid from a picture.
void fill_from_picture(const Picture& picture, Column* maze);

// The frame a picture prints: its rows padded with '#' to 30 by 30.
std::string frame_of_picture(const Picture& picture);

// The grid a frame shows; any glyph but ' ', 'C', 'M', '+', 'X' and '!'
// reads as a wall.
void fill_from_frame(const std::string& frame, Column* maze);

// The text of a maze file holding the grid: its 900 numbers with `blank`
// between them and `line_end` after each row.
std::string maze_file_text(const Column* maze, const std::string& blank = " ",
                           const std::string& line_end = "\n");

// Every interior cell open, the runner at (1, 1) and the cheese at (2, 1).
void fill_all_open(Column* maze);

#endif  // MAZE_TESTS_PICTURE_H_
