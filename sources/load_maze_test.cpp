#include "sources/load_maze.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "grid/grid.h"
#include "tests/picture.h"

namespace {

// A maze with a different code in most cells, so that a misplaced number
// shows: codes -3 to 9 but 3, the largest and smallest numbers, and one
// runner, in the last row, where a count of the runners may stop short.
void fill_varied(Column* maze) {
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const int code = (c * 7 + r * 3) % 12 - 3;
      maze[c][r] = code < kRunner ? code : code + 1;
    }
  }
  maze[kSize - 1][kSize - 1] = kRunner;
  maze[2][0] = INT_MAX;
  maze[3][0] = INT_MIN;
}

// The bad files, each with the line the program writes about it, are read
// end to end (tests/end_to_end_test.cpp).
TEST(ReadMazeTest, AcceptsEveryLayout) {
  Column want[kSize];
  fill_varied(want);
  std::string padded;  // leading '+' and zeros
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      const std::int64_t v = want[c][r];
      padded += (v < 0 ? "-00" : "+0") + std::to_string(v < 0 ? -v : v) + " ";
    }
  }
  const std::string lines = maze_file_text(want);
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"30 lines of 30", lines},
      {"one line", maze_file_text(want, " ", " ")},
      {"tabs and several blanks", maze_file_text(want, "\t  ", "\t\n\n")},
      {"CRLF", maze_file_text(want, " ", "\r\n")},
      {"lone CRs", maze_file_text(want, " ", "\r")},
      {"no final newline", lines.substr(0, lines.size() - 1)},
      {"leading blanks", "\n\n \t\v\f" + lines},
      {"a byte-order mark", "\xEF\xBB\xBF" + lines},
      {"signs and zeros", padded},
      {"a 901st number", lines + "7\n"},
      {"text after the 900th number", lines + "junk\n"},
      {"letters right after the 900th",
       lines.substr(0, lines.size() - 1) + "x"},
  };
  for (const auto& c : cases) {
    std::istringstream fin(c.text);
    Column got[kSize];
    const LoadResult result = read_maze(fin, "maze.txt", got);
    EXPECT_TRUE(result.ok) << c.name << ": " << result.error;
    EXPECT_EQ(std::memcmp(got, want, sizeof(want)), 0) << c.name;
  }
}

}  // namespace
