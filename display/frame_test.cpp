#include "display/frame.h"

#include <gtest/gtest.h>

#include <string>

#include "grid/grid.h"

namespace {

// Every code in every place, so that a glyph out of place shows.
void fill_with_every_code(Column* maze) {
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) maze[c][r] = (c * 7 + r * 3) % 13 - 3;
  }
}

TEST(FrameTest, SetGlyphRewritesOneCell) {
  Column maze[kSize];
  fill_with_every_code(maze);
  Frame frame;
  build_frame(maze, &frame);
  const struct {
    int col;
    int row;
  } corners[] = {
      {0, 0}, {kSize - 1, 0}, {0, kSize - 1}, {kSize - 1, kSize - 1}};
  for (const auto& p : corners) {
    maze[p.col][p.row] = maze[p.col][p.row] == kRunner ? kDead : kRunner;
    set_glyph(&frame, p.col, p.row, maze[p.col][p.row]);
  }
  Frame rebuilt;
  build_frame(maze, &rebuilt);
  EXPECT_EQ(std::string(frame.text, kFrameLength),
            std::string(rebuilt.text, kFrameLength));
}

}  // namespace
