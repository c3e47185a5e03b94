#include "app/program.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <ostream>
#include <sstream>

#include "tests/full_after.h"

namespace {

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
    run_program(in, out, err, "no-such-folder/maze.txt");
    EXPECT_EQ(full.taken().size(), c.room);
    EXPECT_EQ(in.tellg(), c.answer_read ? 1 : 0) << c.room;
    EXPECT_EQ(err.str(), "");  // the caller knows why, and says it
  }
}

}  // namespace
