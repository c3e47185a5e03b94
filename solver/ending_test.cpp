#include "solver/ending.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "tests/cases.h"
#include "tests/temp_dir.h"

namespace {

std::string one_line(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// README and the manual give each verdict as the program prints it, and say
// from how many moves the limit applies, so that a change to a text or to
// the limit points at them.
TEST(EndingTest, ReadmeAndTheManualGiveTheVerdictsAndTheLimit) {
  const std::string readme = one_line(read_file(source_path("README.md")));
  const std::string manual =
      one_line(read_file(source_path("doc/maze.6.in")));
  const std::string count = "7";
  for (const Ending ending :
       {Ending::kSolved, Ending::kUnsolvable, Ending::kLimit}) {
    std::ostringstream out;
    print_ending(ending, 7, out);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
      // The count is no part of the text.
      if (line.rfind(count + " ", 0) == 0) line.erase(0, count.size() + 1);
      if (line.size() > count.size() &&
          line.compare(line.size() - count.size() - 1, std::string::npos,
                       " " + count) == 0)
        line.erase(line.size() - count.size() - 1);
      if (line.empty()) continue;
      EXPECT_NE(readme.find("`" + line + "`"), std::string::npos)
          << "README.md does not give the verdict line \"" << line
          << "\" as the program prints it";
      EXPECT_NE(manual.find(line), std::string::npos)
          << "the manual (doc/maze.6.in) does not give the verdict line \""
          << line << "\" as the program prints it";
    }
  }
  const std::string limit =
      "after " + std::to_string(kStepLimit) + " moves or more";
  EXPECT_NE(readme.find(limit), std::string::npos)
      << "README.md does not say that the move limit applies " << limit;
  EXPECT_NE(manual.find(limit), std::string::npos)
      << "the manual (doc/maze.6.in) does not say that the move limit "
         "applies "
      << limit;
}

}  // namespace
