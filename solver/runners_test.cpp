#include "solver/runners.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/picture.h"

namespace {

TEST(RunnersTest, TheLastRunnerInReadingOrderMoves) {
  const struct {
    std::vector<Position> runners;
    Position expected;
  } cases[] = {
      {{{4, 6}}, {4, 6}},
      // The lower row wins over a larger column.
      {{{5, 3}, {2, 7}}, {2, 7}},
      {{{5, 7}, {9, 7}}, {9, 7}},
      {{{29, 0}, {0, 29}}, {0, 29}},
  };
  for (const auto& c : cases) {
    Column maze[kSize];
    fill_from_picture({}, maze);
    for (const Position& p : c.runners) maze[p.col][p.row] = kRunner;
    const Position found = mover(collect_runners(maze));
    EXPECT_EQ(found.col, c.expected.col);
    EXPECT_EQ(found.row, c.expected.row);
  }
}

// Runners at (3, 1) and (1, 3): the one at (1, 3) moves up past the other,
// which then moves.
TEST(RunnersTest, AMoveBeforeAnotherRunnerHandsTheMoveOn) {
  Column maze[kSize];
  fill_from_picture({"", "   M", "", " M"}, maze);
  Runners runners = collect_runners(maze);
  ASSERT_EQ(runners.count, 2);
  move_mover(&runners, reading_index(1, 2));
  EXPECT_EQ(mover(runners).col, 1);
  EXPECT_EQ(mover(runners).row, 2);
  move_mover(&runners, reading_index(1, 1));
  EXPECT_EQ(mover(runners).col, 3);
  EXPECT_EQ(mover(runners).row, 1);
  EXPECT_EQ(runners.at[0], reading_index(1, 1));
}

}  // namespace
