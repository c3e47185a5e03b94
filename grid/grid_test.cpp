#include "grid/grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>

#include "tests/cases.h"
#include "tests/temp_dir.h"

// The one test that spells the glyphs.
TEST(GridTest, EveryCodeHasItsGlyph) {
  const struct {
    std::int32_t code;
    char glyph;
  } cases[] = {{0, ' '},  {1, '#'},   {2, 'C'},       {3, 'M'},
               {4, '+'},  {5, 'X'},   {6, '!'},       {7, '!'},
               {-1, '!'}, {100, '!'}, {INT_MAX, '!'}, {INT_MIN, '!'}};
  for (const auto& c : cases) {
    EXPECT_EQ(glyph_of(c.code), c.glyph) << "code " << c.code;
  }
}

TEST(GridTest, OutsideTheGridReadsAsWall) {
  Column maze[kSize] = {};
  EXPECT_EQ(cell_at(maze, 0, 0), kOpen);
  EXPECT_EQ(cell_at(maze, kSize - 1, kSize - 1), kOpen);
  EXPECT_EQ(cell_at(maze, -1, 0), kWall);
  EXPECT_EQ(cell_at(maze, 0, -1), kWall);
  EXPECT_EQ(cell_at(maze, kSize, 0), kWall);
  EXPECT_EQ(cell_at(maze, 0, kSize), kWall);
}

// README's legend and the manual's list of glyphs show what the frames
// print, so that a new glyph cannot leave them behind.
TEST(GridTest, ReadmeAndTheManualShowTheGlyphs) {
  std::string readme = read_file(source_path("README.md"));
  std::replace(readme.begin(), readme.end(), '\n', ' ');
  const auto g = [](int code) { return std::string(1, glyph_of(code)); };
  const std::string legend =
      "`" + g(kWall) + "` is a wall, `" + g(kRunner) + "` the runner and `" +
      g(kCheese) +
      "` the cheese, and a blank an open cell. As the runner goes "
      "it leaves `" +
      g(kWalked) + "` on the cells it walked, `" + g(kBacktracked) +
      "` on those it backtracked over and `" + g(kDead) + "` on dead cells.";
  EXPECT_NE(readme.find(legend), std::string::npos)
      << "README lacks " << legend;
  const std::string list =
      ".B " + g(kWall) + "\na wall\n.TP\n.B " + g(kRunner) +
      "\nthe runner\n.TP\n.B " + g(kCheese) + "\nthe cheese\n.TP\n.B " +
      g(kWalked) + "\na cell the runner walked\n.TP\n.B " + g(kBacktracked) +
      "\na cell it backtracked over\n.TP\n.B " + g(kDead) + "\na dead cell";
  EXPECT_NE(read_file(source_path("doc/maze.6.in")).find(list),
            std::string::npos)
      << "the manual lacks " << list;
}
