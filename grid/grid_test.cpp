#include "grid/grid.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/picture.h"

TEST(GlyphTest, EveryCodeHasItsGlyph) {
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

TEST(GridTest, CountsRunners) {
  Column maze[kSize];
  fill_from_picture({"M", "", " M  M"}, maze);
  EXPECT_EQ(count_runners(maze), 3);
  maze[0][0] = kWall;
  EXPECT_EQ(count_runners(maze), 2);
}

TEST(CellAtTest, OutsideTheGridReadsAsWall) {
  Column maze[kSize];
  fill_from_picture({"  "}, maze);
  EXPECT_EQ(cell_at(maze, 0, 0), kOpen);
  EXPECT_EQ(cell_at(maze, 1, 0), kOpen);
  EXPECT_EQ(cell_at(maze, -1, 0), kWall);
  EXPECT_EQ(cell_at(maze, 0, -1), kWall);
  EXPECT_EQ(cell_at(maze, kSize, 0), kWall);
  EXPECT_EQ(cell_at(maze, 0, kSize), kWall);
}
