#include "grid/grid.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/test_mazes.h"

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

TEST(RunnerScanTest, YieldsTheLastRunnerInReadingOrder) {
  const struct {
    std::vector<Position> runners;
    Position expected;
  } cases[] = {
      {{{4, 6}}, {4, 6}},
      // The lower row wins over a larger column.
      {{{5, 3}, {2, 7}}, {2, 7}},
      {{{5, 7}, {9, 7}}, {9, 7}},
      {{{29, 0}, {0, 29}}, {0, 29}},
      {{}, {0, 0}},
  };
  for (const auto& c : cases) {
    Column maze[kSize];
    fill_from_picture({}, maze);
    for (const Position& p : c.runners) maze[p.col][p.row] = kRunner;
    const Position found = find_runner(maze);
    EXPECT_EQ(found.col, c.expected.col);
    EXPECT_EQ(found.row, c.expected.row);
    EXPECT_EQ(count_runners(maze), static_cast<int>(c.runners.size()));
  }
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
