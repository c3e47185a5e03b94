#include "app/program.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "tests/full_after.h"

namespace {

TEST(ReadChoiceTest, ReadsLikeFormattedExtraction) {
  const struct {
    const char* answer;
    int choice;
  } cases[] = {
      {"2\n", 2},
      {" 2\n", 2},
      {"\t\n 2", 2},
      {"2abc\n", 2},
      {"02\n", 2},
      {"2.7\n", 2},
      {"+2\n", 2},
      {"1\n", 1},
      {"0\n", 0},
      {"3\n", 3},
      {"-2\n", -2},
      {"0x2\n", 0},
      {"abc\n", 0},
      {"", 0},
      {"\n", 0},
      {"- 2\n", 0},
      {"99999999999\n", INT_MAX},
      {"-99999999999\n", INT_MIN},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.answer);
    EXPECT_EQ(read_choice(in), c.choice) << '"' << c.answer << '"';
  }
}

// A menu nobody sees asks nothing, and a run nobody sees stops.
TEST(RunProgramTest, OutputThatFailsStopsTheRun) {
  const struct {
    std::size_t room;
    bool answer_read;
  } cases[] = {
      {5, false},    // in the menu
      {2000, true},  // in the first frames
  };
  for (const auto& c : cases) {
    std::istringstream in("1\n");
    FullAfter full(c.room);
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(run_program(in, out, err, "no-such-folder/maze.txt"), 1);
    EXPECT_EQ(full.taken().size(), c.room);
    EXPECT_EQ(in.tellg(), c.answer_read ? 1 : 0) << c.room;
    EXPECT_EQ(err.str(), "");  // the caller knows why, and says it
  }
}

}  // namespace
