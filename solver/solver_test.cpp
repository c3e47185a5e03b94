#include "solver/solver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ios>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "display/frame.h"
#include "grid/grid.h"
#include "solver/ending.h"
#include "sources/load_maze.h"
#include "sources/random_maze.h"
#include "tests/cases.h"
#include "tests/full_after.h"
#include "tests/picture.h"
#include "tests/plain_solver.h"
#include "tests/same_text.h"

namespace {

// The runner in the bottom-right corner, the cheese two cells up-left.
Picture far_corner() {
  Picture picture(kSize - 2, "");
  picture.push_back(std::string(kSize - 2, '#') + "C");
  picture.push_back(std::string(kSize - 2, '#') + " M");
  return picture;
}

// A corridor of `length` open cells that winds from the runner at (1, 1)
// through rows 1, 3, 5, ... of columns 2 to 28, joined at alternate ends.
// Without cheese, a corridor of n cells ends unsolvable after 6n + 3 steps;
// `walked_below` puts a walked cell below the runner, which adds 3.
Picture corridor(int length, bool walked_below = false) {
  Picture picture(kSize, std::string(kSize, '#'));
  picture[1][1] = 'M';
  if (walked_below) picture[2][1] = '+';
  int col = 2;
  int row = 1;
  int step = 1;
  for (int n = 0; n < length; ++n) {
    picture[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = ' ';
    if (row % 2 == 0) {  // a join: on to the next row
      ++row;
    } else if (col + step < 2 || col + step > kSize - 2) {
      ++row;
      step = -step;
    } else {
      col += step;
    }
  }
  return picture;
}

// The examples/ mazes are not repeated here: README's table gives their
// endings, and the plain solver's comparison runs them.
TEST(SolverTest, WorkedExamples) {
  const struct {
    const char* name;
    Picture start;
    Ending ending;
    int steps;
    int frames;   // 0 where not checked
    Picture end;  // empty where not checked
  } cases[] = {
      // clang-format off
      {"walks away from the cheese", {"", "#MC", "# "},
       Ending::kSolved, 4, 3, {"", "#MC", "#X"}},
      {"runner on the border", {"M C"}, Ending::kSolved, 2, 2, {"+MC"}},
      {"runner in the far corner", far_corner(), Ending::kSolved, 2, 2, {}},
      // With nothing to step onto, the second backtrack mode ends the run
      // instead of trying the same step forever.
      {"stuck beside another runner", {"", "#MM"},
       Ending::kUnsolvable, 3, 1, {}},
      {"stuck beside an unknown code", {"", "#M7"},
       Ending::kUnsolvable, 3, 1, {}},
      {"a corridor of 300", corridor(300), Ending::kUnsolvable, 1803, 901, {}},
      // The limit is tested on entry to the second backtrack mode: entered
      // with 1999 steps, the step is taken and finds nothing; entered with
      // 2000, the run ends there.
      {"1999 steps at the limit test", corridor(332, true),
       Ending::kUnsolvable, 2000, 0, {}},
      {"2000 steps at the limit test", corridor(333),
       Ending::kLimit, 2000, 0, {}},
      {"2001 steps at the limit test", corridor(334),
       Ending::kLimit, 2000, 0, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    Column maze[kSize];
    fill_from_picture(c.start, maze);
    std::ostringstream out;
    const Outcome outcome = solve_maze(maze, out);
    EXPECT_EQ(outcome.ending, c.ending) << c.name;
    EXPECT_EQ(outcome.counters.total(), c.steps) << c.name;
    if (c.frames != 0) {
      EXPECT_EQ(outcome.frames, c.frames) << c.name;
    }
    if (!c.end.empty()) {
      Column end[kSize];
      fill_from_picture(c.end, end);
      EXPECT_EQ(std::memcmp(maze, end, sizeof(end)), 0) << c.name;
    }
  }
}

// Nobody would see the rest of the run: it stops at the frame that failed.
TEST(SolverTest, StopsWhenTheOutputFails) {
  Column maze[kSize];
  fill_from_picture(corridor(300), maze);
  FullAfter full(5 * kFrameLength + 10);
  std::ostream out(&full);
  const Outcome outcome = solve_maze(maze, out);
  EXPECT_EQ(outcome.ending, Ending::kOutputFailed);
  EXPECT_EQ(outcome.frames, 6);
}

// The mazes the solver is compared with the plain one on: the examples,
// the corridors about the limit, and many mazes of every kind.
std::vector<std::pair<std::string, std::vector<std::int32_t>>> model_mazes() {
  std::vector<std::pair<std::string, std::vector<std::int32_t>>> mazes;
  const auto add = [&mazes](const std::string& name, const Column* maze) {
    mazes.emplace_back(
        name, std::vector<std::int32_t>(&maze[0][0], &maze[0][0] + kCells));
  };
  Column maze[kSize];
  for (const std::string& file : example_files()) {
    std::ifstream fin(source_path("examples/" + file), std::ios::binary);
    if (read_maze(fin, file, maze).ok) add(file, maze);
  }
  for (int length = 330; length <= 335; ++length) {
    fill_from_picture(corridor(length, length % 2 == 0), maze);
    add("a corridor of " + std::to_string(length), maze);
  }
  const std::int32_t kCodes[] = {0, 0, 0, 1, 1, 2, 3, 4, 5, 6, 7, -1};
  std::srand(12345);
  for (int trial = 0; trial < 600; ++trial) {
    if (trial % 3 == 0) {
      random_maze(maze);
    } else {
      // Loaded mazes: any code anywhere, the border included.
      const int kinds = trial % 3 == 1 ? 2 : 12;
      for (int c = 0; c < kSize; ++c) {
        for (int r = 0; r < kSize; ++r)
          maze[c][r] = kCodes[std::rand() % kinds];
      }
      maze[std::rand() % kSize][std::rand() % kSize] = kCheese;
      for (int n = 1 + trial % 4; n > 0; --n) {
        maze[std::rand() % kSize][std::rand() % kSize] = kRunner;
      }
    }
    add("maze " + std::to_string(trial), maze);
  }
  return mazes;
}

TEST(SolverTest, MatchesThePlainSolver) {
  for (const auto& [name, cells] : model_mazes()) {
    Column maze[kSize];
    Column copy[kSize];
    std::memcpy(maze, cells.data(), sizeof(maze));
    std::memcpy(copy, cells.data(), sizeof(copy));
    std::ostringstream fast;
    std::ostringstream plain;
    const Outcome got = solve_maze(maze, fast);
    const Outcome want = plain_solve(copy, plain);
    ASSERT_TRUE(same_text(fast.str(), plain.str())) << name;
    ASSERT_EQ(got.frames, want.frames) << name;
    ASSERT_EQ(std::memcmp(maze, copy, sizeof(copy)), 0) << name;
  }
}

}  // namespace
