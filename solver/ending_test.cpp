#include "solver/ending.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>

#include "tests/cases.h"
#include "tests/temp_dir.h"

namespace {

std::string one_line(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// Whether `text` stands in `doc` as a whole: not the start or the end of a
// longer word, nor of a longer shout ("solved!" in "solved!!").
bool has_text(const std::string& doc, const std::string& text) {
  const auto part_of_word = [](char ch) {
    return std::isalnum(static_cast<unsigned char>(ch)) != 0 || ch == '!';
  };
  for (auto at = doc.find(text); at != std::string::npos;
       at = doc.find(text, at + 1)) {
    const auto end = at + text.size();
    if ((at == 0 || !part_of_word(doc[at - 1])) &&
        (end == doc.size() || !part_of_word(doc[end])))
      return true;
  }
  return false;
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
      EXPECT_TRUE(has_text(readme, "`" + line + "`"))
          << "README.md does not give the verdict line \"" << line
          << "\" as the program prints it";
      EXPECT_TRUE(has_text(manual, line))
          << "the manual (doc/maze.6.in) does not give the verdict line \""
          << line << "\" as the program prints it";
    }
  }
  const std::string limit =
      "after " + std::to_string(kStepLimit) + " moves or more";
  EXPECT_TRUE(has_text(readme, limit))
      << "README.md does not say that the move limit applies " << limit;
  EXPECT_TRUE(has_text(manual, limit))
      << "the manual (doc/maze.6.in) does not say that the move limit "
         "applies "
      << limit;
}

}  // namespace
