#include "solver/runners.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "grid/grid.h"

namespace {

Runners runners_at(const std::vector<Position>& places) {
  Column maze[kSize] = {};
  for (const Position& p : places) maze[p.col][p.row] = kRunner;
  return collect_runners(maze);
}

std::vector<int> indices(const Runners& runners) {
  return std::vector<int>(runners.at, runners.at + runners.count);
}

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
    const Position found = mover(runners_at(c.runners));
    EXPECT_EQ(found.col, c.expected.col);
    EXPECT_EQ(found.row, c.expected.row);
  }
}

// A move keeps the list in reading order, however many runners the mover
// passes, and the runner last in reading order moves next.
TEST(RunnersTest, AMoveKeepsTheRunnersInReadingOrder) {
  const struct {
    std::vector<Position> others;
    Position from;
    Position to;
  } cases[] = {
      {{}, {5, 5}, {5, 4}},
      {{{3, 1}}, {1, 2}, {1, 1}},                      // past one, up
      {{{4, 3}, {6, 3}, {9, 3}}, {2, 4}, {2, 3}},      // past three, up
      {{{0, 0}, {8, 3}}, {7, 4}, {7, 3}},              // past one of two
      {{{1, 1}, {2, 1}, {3, 1}}, {20, 20}, {21, 20}},  // past none, right
      {{{1, 1}}, {9, 9}, {9, 10}},                     // down
  };
  for (const auto& c : cases) {
    std::vector<Position> all = c.others;
    all.push_back(c.from);
    Runners runners = runners_at(all);
    ASSERT_EQ(mover(runners).col, c.from.col);
    move_mover(&runners, reading_index(c.to.col, c.to.row));
    std::vector<int> want = {reading_index(c.to.col, c.to.row)};
    for (const Position& p : c.others)
      want.push_back(reading_index(p.col, p.row));
    std::sort(want.begin(), want.end());
    EXPECT_EQ(indices(runners), want) << "to " << c.to.col << ", " << c.to.row;
  }
}

}  // namespace
