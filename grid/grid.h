// The maze grid: 30 by 30 cells of signed codes, indexed first by column and
// then by row (maze[col][row]), so one column's 30 cells sit side by side.
#ifndef MAZE_GRID_GRID_H_
#define MAZE_GRID_GRID_H_

#include <cstdint>

constexpr int kSize = 30;              // columns, and rows
constexpr int kCells = kSize * kSize;  // 900

// Cell codes. Any other value can come from a maze file; it is never entered.
constexpr std::int32_t kOpen = 0;
constexpr std::int32_t kWall = 1;
constexpr std::int32_t kCheese = 2;
constexpr std::int32_t kRunner = 3;
constexpr std::int32_t kWalked = 4;
constexpr std::int32_t kBacktracked = 5;
constexpr std::int32_t kDead = 6;

// One column of the grid. A grid is `Column maze[kSize]`, and functions take
// a pointer to its first column, called `pass_maze`.
using Column = std::int32_t[kSize];

struct Position {
  int col;
  int row;
};

// The glyph printed for a cell code: ' ', '#', 'C', 'M', '+', 'X', and '!'
// for 6 and for every code outside 0 to 6.
char glyph_of(std::int32_t code);

// The code at (col, row). A cell outside the grid reads as a wall; nothing
// outside the grid is ever written.
std::int32_t cell_at(const Column* pass_maze, int col, int row);

// The number of runner cells (3) in the grid.
int count_runners(const Column* pass_maze);

// Reading order: rows top to bottom, and columns left to right in a row.
inline int reading_index(int col, int row) { return row * kSize + col; }
inline Position position_at(int index) {
  return Position{index % kSize, index / kSize};
}

#endif  // MAZE_GRID_GRID_H_
