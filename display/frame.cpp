#include "display/frame.h"

#include <cstdint>
#include <ostream>

#include "grid/grid.h"

void build_frame(const Column* pass_maze, Frame* frame) {
  char* out = frame->text;
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) *out++ = glyph_of(pass_maze[c][r]);
    *out++ = '\n';
  }
}

void set_glyph(Frame* frame, int col, int row, std::int32_t code) {
  frame->text[row * kLineLength + col] = glyph_of(code);
}

void draw_maze(const Frame& frame, std::ostream& out) {
  out.write(frame.text, kFrameLength);
}
