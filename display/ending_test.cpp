#include "display/ending.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/plain_solver.h"

namespace {

// Counts the flushes that reach it.
class CountingBuffer : public std::stringbuf {
 public:
  int syncs = 0;

 protected:
  int sync() override {
    ++syncs;
    return 0;
  }
};

TEST(EndingTest, PrintsWhatThePlainSolverPrints) {
  const struct {
    Ending ending;
    int total;
    int flushes;
  } cases[] = {
      {Ending::kSolved, 2, 1},       {Ending::kSolved, 2235, 1},
      {Ending::kUnsolvable, 3, 0},   {Ending::kUnsolvable, 1000000, 0},
      {Ending::kLimit, 2000, 0},     {Ending::kLimit, 2003, 0},
      {Ending::kOutputFailed, 7, 0},
  };
  for (const auto& c : cases) {
    CountingBuffer buffer;
    std::ostream out(&buffer);
    print_ending(c.ending, c.total, out);
    EXPECT_EQ(buffer.str(), plain_ending(c.ending, c.total)) << c.total;
    EXPECT_EQ(buffer.syncs, c.flushes) << buffer.str();
  }
}

}  // namespace
