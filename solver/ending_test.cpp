#include "solver/ending.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cases.h"
#include "tests/temp_dir.h"

namespace {

// README and the manual give each verdict line as the program prints it,
// and the move from which the limit applies, so that a change to either
// points at them.
TEST(EndingTest, ReadmeAndTheManualGiveTheVerdictsAndTheLimit) {
  std::vector<std::string> texts = {"after " + std::to_string(kStepLimit) +
                                    " moves or more"};
  for (const Ending ending :
       {Ending::kSolved, Ending::kUnsolvable, Ending::kLimit}) {
    std::ostringstream out;
    print_ending(ending, 7, out);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty())
        texts.push_back(std::regex_replace(line, std::regex("^7 | 7$"), ""));
    }
  }
  for (const char* doc : {"README.md", "doc/maze.6.in"}) {
    std::string text = read_file(source_path(doc));
    std::replace(text.begin(), text.end(), '\n', ' ');
    for (const std::string& wanted : texts) {
      // Whole: "solved!" is not in "solved!!".
      EXPECT_TRUE(std::regex_search(
          text, std::regex("(^|[^\\w!])" + wanted + "($|[^\\w!])")))
          << doc << " does not give \"" << wanted << "\" as the program does";
    }
  }
}

}  // namespace
