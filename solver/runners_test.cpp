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

// The runner last in reading order moves, and a move keeps the list in
// reading order, however many runners the mover passes.
TEST(RunnersTest, TheLastRunnerMovesAndTheRunnersStayInReadingOrder) {
  const struct {
    std::vector<Position> others;
    Position from;
    Position to;
  } cases[] = {
      {{}, {5, 5}, {5, 4}},
      {{{5, 3}}, {2, 7}, {2, 6}},  // a lower row wins over a larger column
      {{{5, 7}}, {9, 7}, {9, 8}},  // in one row, the larger column
      {{{29, 0}}, {0, 29}, {1, 29}},
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
    ASSERT_EQ(mover(runners).row, c.from.row);
    move_mover(&runners, reading_index(c.to.col, c.to.row));
    std::vector<int> want = {reading_index(c.to.col, c.to.row)};
    for (const Position& p : c.others)
      want.push_back(reading_index(p.col, p.row));
    std::sort(want.begin(), want.end());
    EXPECT_EQ(indices(runners), want) << "to " << c.to.col << ", " << c.to.row;
  }
}

}  // namespace
