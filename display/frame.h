// The frame renderer: the whole grid as 30 lines of 30 glyphs, each line
// ended by a newline, 930 characters in all.
#ifndef MAZE_DISPLAY_FRAME_H_
#define MAZE_DISPLAY_FRAME_H_

#include <cstdint>
#include <ostream>

#include "grid/grid.h"

constexpr int kLineLength = kSize + 1;             // 30 glyphs and '\n'
constexpr int kFrameLength = kSize * kLineLength;  // 930

// The text of one frame, the glyph of every cell, kept between moves so that
// a move rewrites only the glyphs of the cells it changed.
struct Frame {
  char text[kFrameLength];
};

// Fills `frame` with the glyphs of every cell. Does not change the grid.
void build_frame(const Column* pass_maze, Frame* frame);

// Rewrites the glyph of the cell at (col, row), which now holds `code`.
// Requires a cell on the grid.
void set_glyph(Frame* frame, int col, int row, std::int32_t code);

// Prints the frame on `out` in one piece: 30 lines of 30 glyphs. Does not
// flush.
void draw_maze(const Frame& frame, std::ostream& out);

#endif  // MAZE_DISPLAY_FRAME_H_
