#include "sources/load_maze.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "tests/cases.h"
#include "tests/picture.h"
#include "tests/temp_dir.h"

namespace {

// A maze with a different code in most cells, so that a misplaced number
// shows: walls around, the runner at (1, 1), and codes -3 to 9 inside.
void fill_varied(Column* maze) {
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) maze[c][r] = (c * 7 + r * 3) % 13 - 3;
  }
  maze[1][1] = kRunner;
}

TEST(ReadMazeTest, AcceptsEveryLayout) {
  Column want[kSize];
  fill_varied(want);
  std::string padded;  // leading '+' and zeros
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      const std::int32_t v = want[c][r];
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
      {"leading blanks", "\n\n \t" + lines},
      {"a byte-order mark", "\xEF\xBB\xBF" + lines},
      {"signs and zeros", padded},
      {"a 901st number", lines + "7\n"},
      {"text after the 900th number", lines + "junk\n"},
      {"letters right after the 900th", maze_file_text(want, " ", " ") + "x"},
  };
  for (const auto& c : cases) {
    std::istringstream fin(c.text);
    Column got[kSize];
    const LoadResult result = read_maze(fin, "maze.txt", got);
    EXPECT_TRUE(result.ok) << c.name << ": " << result.error;
    EXPECT_EQ(std::memcmp(got, want, sizeof(want)), 0) << c.name;
  }
}

TEST(ReadMazeTest, KeepsAnyValue) {
  Column want[kSize];
  fill_from_picture({"M"}, want);
  want[1][0] = -1;
  want[2][0] = 9;
  want[3][0] = 2147483647;
  want[4][0] = -2147483647 - 1;
  want[5][0] = 3;  // several runners
  want[6][0] = 2;
  want[7][0] = 2;  // several cheeses
  std::istringstream fin(maze_file_text(want));
  Column got[kSize];
  ASSERT_TRUE(read_maze(fin, "maze.txt", got).ok);
  EXPECT_EQ(std::memcmp(got, want, sizeof(want)), 0);
}

// The program prints the error after its own name where it gives no place.
TEST(ReadMazeTest, NamesWhatIsWrong) {
  for (const BadMaze& bad : bad_mazes()) {
    std::ifstream fin(bad.path, std::ios::binary);
    Column got[kSize];
    const LoadResult result = read_maze(fin, "maze.txt", got);
    EXPECT_FALSE(result.ok) << bad.name;
    EXPECT_EQ((result.placed ? "" : "maze: ") + result.error + "\n", bad.error)
        << bad.name;
  }
}

TEST(LoadMazeTest, ReadsTheFile) {
  TempDir dir;
  Column want[kSize];
  fill_all_open(want);
  const std::string path = dir.write("maze.txt", maze_file_text(want));
  Column got[kSize];
  const LoadResult result = load_maze(path, got);
  EXPECT_TRUE(result.ok) << result.error;
  EXPECT_EQ(std::memcmp(got, want, sizeof(want)), 0);
}

TEST(LoadMazeTest, ErrorsNameTheFile) {
  TempDir dir;
  const std::string short_file = dir.write(
      "short.txt", read_file(source_path("tests/bad_mazes/short.txt")));
  const struct {
    std::string path;
    std::string error;
  } cases[] = {
      {dir.path() + "/missing.txt",
       dir.path() + "/missing.txt: No such file or directory"},
      {dir.path(), dir.path() + ": Is a directory"},
      {short_file, short_file +
                       ":2:1: the file ends after 3 of 900 numbers (row 0, "
                       "column 3 of the maze is missing)"},
  };
  for (const auto& c : cases) {
    Column got[kSize];
    const LoadResult result = load_maze(c.path, got);
    EXPECT_FALSE(result.ok) << c.path;
    EXPECT_EQ(result.error, c.error);
  }
}

}  // namespace
