#include "solver/solver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "display/frame.h"
#include "sources/random_maze.h"
#include "tests/full_after.h"
#include "tests/picture.h"
#include "tests/plain_solver.h"

namespace {

struct Example {
  const char* name;
  Picture start;
  Ending ending;
  int total;
  int frames;
  Picture end;  // empty when the final grid is not checked
};

void PrintTo(const Example& e, std::ostream* os) { *os << e.name; }

// The runner in the bottom-right corner, the cheese two cells up-left.
Picture far_corner() {
  Picture picture(kSize - 2, "");
  picture.push_back(std::string(kSize - 2, '#') + "C");
  picture.push_back(std::string(kSize - 2, '#') + " M");
  return picture;
}

const Example kExamples[] = {
    {"cheese after one step", {"", "#M C"}, Ending::kSolved, 2, 2, {}},
    {"walks away from the cheese",
     {"", "#MC", "# "},
     Ending::kSolved,
     4,
     3,
     {"", "#MC", "#X"}},
    {"backs up two cells to the cheese",
     {"", "#MC", "# ", "# "},
     Ending::kSolved,
     7,
     5,
     {"", "#MC", "#X", "#X"}},
    {"boxed in", {"", "#M"}, Ending::kUnsolvable, 3, 1, {"", "#M"}},
    {"dead end without cheese",
     {"", "#M  "},
     Ending::kUnsolvable,
     15,
     7,
     {"", "#!!M"}},
    {"cheese left behind",
     {"", "#M   ", "#C   ", "###  ", "#### "},
     Ending::kUnsolvable,
     27,
     17,
     {}},
    {"two runners", {"", "# #M ", "# ", "#M"}, Ending::kUnsolvable, 11, 6, {}},
    {"runner on the border", {"M C"}, Ending::kSolved, 2, 2, {"+MC"}},
    {"runner in the far corner", far_corner(), Ending::kSolved, 2, 2, {}},
    {"stuck beside another runner", {"", "#MM"}, Ending::kUnsolvable, 3, 1, {}},
};

std::string picture_name(const testing::TestParamInfo<Example>& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

class ExampleTest : public testing::TestWithParam<Example> {};

TEST_P(ExampleTest, Ends) {
  const Example& e = GetParam();
  Column maze[kSize];
  fill_from_picture(e.start, maze);
  std::ostringstream out;
  const Outcome outcome = solve_maze(maze, out);
  EXPECT_EQ(outcome.ending, e.ending);
  EXPECT_EQ(outcome.counters.total(), e.total);
  EXPECT_EQ(outcome.frames, e.frames);
  EXPECT_EQ(out.str().rfind(frame_of_picture(e.start), 0), 0u);
  if (!e.end.empty()) {
    Column expected[kSize];
    fill_from_picture(e.end, expected);
    EXPECT_EQ(std::memcmp(maze, expected, sizeof(expected)), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Worked, ExampleTest, testing::ValuesIn(kExamples),
                         picture_name);

TEST(SolverTest, PrintsFramesThenTheEnding) {
  const struct {
    Picture start;
    std::string frames;
    std::string ending;
  } cases[] = {
      {{"", "#M C"},
       frame_of_picture({"", "#M C"}) + frame_of_picture({"", "#+MC"}),
       plain_ending(Ending::kSolved, 2)},
      {{"", "#M"},
       frame_of_picture({"", "#M"}),
       plain_ending(Ending::kUnsolvable, 3)},
  };
  for (const auto& c : cases) {
    Column maze[kSize];
    fill_from_picture(c.start, maze);
    std::ostringstream out;
    solve_maze(maze, out);
    EXPECT_EQ(out.str(), c.frames + c.ending);
  }
}

TEST(SolverTest, CountersSplitByMode) {
  Column maze[kSize];
  fill_from_picture({"", "#M  "}, maze);
  std::ostringstream out;
  const Counters k = solve_maze(maze, out).counters;
  EXPECT_EQ(k.nk, 7);
  EXPECT_EQ(k.bk, 5);
  EXPECT_EQ(k.bkII, 3);
}

// A corridor of `length` open cells that winds from the runner at (1, 1)
// through rows 1, 3, 5, ... of columns 2 to 28, joined at alternate ends.
// Without cheese, a corridor of n cells ends unsolvable after 6n + 3 moves.
void fill_corridor(int length, Column* maze) {
  fill_from_picture({"", "#M"}, maze);
  int col = 2;
  int row = 1;
  int step = 1;
  for (int n = 0; n < length; ++n) {
    maze[col][row] = kOpen;
    if (row % 2 == 0) {  // a join: on to the next row
      ++row;
    } else if (col + step < 2 || col + step > kSize - 2) {
      ++row;
      step = -step;
    } else {
      col += step;
    }
  }
}

TEST(SolverTest, LimitIsTestedOnEntryToTheSecondBacktrack) {
  const struct {
    int length;
    bool walked_cell;  // a walked cell below the runner adds 3 moves
    Ending ending;
    int total;
  } cases[] = {
      {2, false, Ending::kUnsolvable, 15},
      {300, false, Ending::kUnsolvable, 1803},
      // Entered with 1999 moves: the step is taken, and finds nothing.
      {332, true, Ending::kUnsolvable, 2000},
      // Entered with 2000 moves: the run ends there.
      {333, false, Ending::kLimit, 2000},
      {334, false, Ending::kLimit, 2000},
  };
  for (const auto& c : cases) {
    Column maze[kSize];
    fill_corridor(c.length, maze);
    if (c.walked_cell) maze[1][2] = kWalked;
    std::ostringstream out;
    const Outcome outcome = solve_maze(maze, out);
    EXPECT_EQ(outcome.ending, c.ending) << c.length;
    EXPECT_EQ(outcome.counters.total(), c.total) << c.length;
  }
}

TEST(SolverTest, LimitEndingText) {
  Column maze[kSize];
  fill_corridor(333, maze);
  std::ostringstream out;
  const Outcome outcome = solve_maze(maze, out);
  const std::string text = out.str();
  const std::string ending = plain_ending(Ending::kLimit, 2000);
  ASSERT_GE(text.size(), ending.size());
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
  EXPECT_EQ(
      text.size(),
      static_cast<std::size_t>(outcome.frames) * kFrameLength + ending.size());
}

TEST(SolverTest, AllOpenInteriorIsSolvedPastTheLimit) {
  Column maze[kSize];
  fill_all_open(maze);
  std::ostringstream out;
  const Outcome outcome = solve_maze(maze, out);
  EXPECT_EQ(outcome.ending, Ending::kSolved);
  EXPECT_GT(outcome.counters.total(), kMoveLimit);
  EXPECT_EQ(outcome.counters.total(), 2235);
  EXPECT_EQ(outcome.frames, 1509);
  EXPECT_EQ(out.str().size(),
            static_cast<std::size_t>(outcome.frames) * kFrameLength +
                plain_ending(Ending::kSolved, 2235).size());
}

// With no backtracked neighbour the second backtrack mode ends the run,
// whatever its neighbours hold, instead of trying the same step forever.
TEST(SolverTest, SecondBacktrackNeverSpins) {
  for (const std::int32_t code : {kRunner, 7, -1, 100}) {
    Column maze[kSize];
    fill_from_picture({"", "#M"}, maze);
    maze[2][1] = code;
    std::ostringstream out;
    const Outcome outcome = solve_maze(maze, out);
    EXPECT_EQ(outcome.ending, Ending::kUnsolvable) << code;
    EXPECT_EQ(outcome.counters.bkII, 1) << code;
    EXPECT_EQ(outcome.frames, 1) << code;
  }
}

// Nobody would see the rest of the run: it stops at the frame that failed.
TEST(SolverTest, StopsWhenTheOutputFails) {
  Column maze[kSize];
  fill_all_open(maze);
  FullAfter full(5 * kFrameLength + 10);
  std::ostream out(&full);
  const Outcome outcome = solve_maze(maze, out);
  EXPECT_EQ(outcome.ending, Ending::kOutputFailed);
  EXPECT_EQ(outcome.frames, 6);
  EXPECT_EQ(outcome.counters.total(), 5);
  EXPECT_EQ(full.taken().size(), 5u * kFrameLength + 10);
}

// The fast solver against the plain one, on many mazes of every kind.
TEST(SolverTest, MatchesThePlainSolver) {
  const std::int32_t kCodes[] = {0, 0, 0, 1, 1, 2, 3, 4, 5, 6, 7, -1};
  std::srand(12345);
  for (int trial = 0; trial < 600; ++trial) {
    Column maze[kSize];
    if (trial % 3 == 0) {
      random_maze(maze);
    } else {
      // Loaded mazes: any code anywhere, the border included.
      const int kinds = trial % 3 == 1 ? 2 : 12;
      for (int c = 0; c < kSize; ++c) {
        for (int r = 0; r < kSize; ++r) {
          maze[c][r] = kCodes[std::rand() % kinds];
        }
      }
      maze[std::rand() % kSize][std::rand() % kSize] = kCheese;
      for (int n = 1 + trial % 4; n > 0; --n) {
        maze[std::rand() % kSize][std::rand() % kSize] = kRunner;
      }
    }
    Column copy[kSize];
    std::memcpy(copy, maze, sizeof(copy));
    std::ostringstream fast;
    std::ostringstream plain;
    const Outcome got = solve_maze(maze, fast);
    const Outcome want = plain_solve(copy, plain);
    ASSERT_EQ(fast.str(), plain.str()) << "trial " << trial;
    EXPECT_EQ(got.frames, want.frames);
    EXPECT_EQ(got.counters.total(), want.counters.total());
    EXPECT_EQ(std::memcmp(maze, copy, sizeof(copy)), 0);
  }
}

}  // namespace
