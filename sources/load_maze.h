// The maze file: 900 decimal integers separated by white space (blanks,
// tabs, line breaks, in any mix), taken in reading order. Text after the
// 900th number is never read.
#ifndef MAZE_SOURCES_LOAD_MAZE_H_
#define MAZE_SOURCES_LOAD_MAZE_H_

#include <istream>
#include <string>

#include "grid/grid.h"

struct LoadResult {
  bool ok;
  // When !ok, the line that says what is wrong, as the program prints it.
  // Where the file shows the mistake, it starts with "NAME:LINE:COLUMN: "
  // as compilers' messages do, counted from 1 at the mistake's first byte,
  // and ends with the cell of the maze; otherwise it starts with the
  // program's name, "maze: NAME: ".
  std::string error;
};

// Reads 900 numbers from `fin`, the file called `name`, into the grid, row
// by row. Each is an optional sign and decimal digits that fit a 32-bit
// signed integer, ended by white space or the end of the file (the 900th by
// anything); any value is kept as it is. A UTF-8 byte-order mark at the
// start is passed over. Fails when a number is missing or cannot be read,
// or when the grid holds no runner (3). On failure, cells from the bad
// number on are left as they were.
LoadResult read_maze(std::istream& fin, const std::string& name,
                     Column* pass_maze);

// Opens the file at `path` and reads it with read_maze. Never creates or
// writes the file.
LoadResult load_maze(const std::string& path, Column* pass_maze);

#endif  // MAZE_SOURCES_LOAD_MAZE_H_
