#include "display/frame.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/picture.h"

TEST(FrameTest, PrintsThirtyLinesOfThirtyGlyphs) {
  Column maze[kSize];
  fill_from_picture({"#M C+X!", "", "                              "}, maze);
  maze[10][0] = 7;
  maze[11][0] = -1;
  maze[12][0] = 100;
  Frame frame;
  build_frame(maze, &frame);
  std::ostringstream out;
  draw_maze(frame, out);
  std::string expected =
      frame_of_picture({"#M C+X!###!!!", "", std::string(30, ' ')});
  EXPECT_EQ(out.str(), expected);
  EXPECT_EQ(out.str().size(), 930u);
}

TEST(FrameTest, SetGlyphRewritesOneCell) {
  Column maze[kSize];
  fill_from_picture({}, maze);
  Frame frame;
  build_frame(maze, &frame);
  set_glyph(&frame, 29, 29, kRunner);
  set_glyph(&frame, 0, 0, kBacktracked);
  maze[29][29] = kRunner;
  maze[0][0] = kBacktracked;
  Frame rebuilt;
  build_frame(maze, &rebuilt);
  EXPECT_EQ(std::string(frame.text, kFrameLength),
            std::string(rebuilt.text, kFrameLength));
}
