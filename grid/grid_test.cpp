#include "grid/grid.h"

#include <gtest/gtest.h>

#include <climits>

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
