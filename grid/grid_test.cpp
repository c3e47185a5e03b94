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
  const std::string manual = read_file(source_path("doc/maze.6.in"));
  const struct {
    std::int32_t code;
    const char* readme;  // after the glyph in backquotes
    const char* manual;  // the line after ".B GLYPH"
  } cases[] = {
      {kWall, " is a wall", "a wall"},
      {kRunner, " the runner", "the runner"},
      {kCheese, " the cheese", "the cheese"},
      {kWalked, " on the cells it walked", "a cell the runner walked"},
      {kBacktracked, " on those it backtracked over",
       "a cell it backtracked over"},
      {kDead, " on dead cells", "a dead cell"},
  };
  for (const auto& c : cases) {
    const char glyph = glyph_of(c.code);
    EXPECT_NE(readme.find('`' + std::string(1, glyph) + '`' + c.readme),
              std::string::npos)
        << "README.md's legend lacks '" << glyph << "', code " << c.code;
    EXPECT_NE(manual.find(".B " + std::string(1, glyph) + '\n' + c.manual),
              std::string::npos)
        << "the manual's glyphs lack '" << glyph << "', code " << c.code;
  }
}
