// Runs the real program in a fresh folder, with a maze file and the menu
// answer on standard input, and checks all it writes and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "display/frame.h"
#include "tests/test_mazes.h"

namespace {

const char kMenu[] = "(1)Random\n(2)Test\n";
const char kPrompt[] = "Press any key to continue . . . \n";

struct Result {
  int status;
  std::string out;
  std::string err;
};

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Result run_program_in(const TempDir& dir, const std::string& answer) {
  dir.write("answer.in", answer);
  const std::string command = "cd '" + dir.path() +
                              "' && '" MAZE_BINARY
                              "' < answer.in > out.txt 2> err.txt";
  const int raw = std::system(command.c_str());
  return Result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1,
                read_file(dir.path() + "/out.txt"),
                read_file(dir.path() + "/err.txt")};
}

// The grid a frame shows, for frames of a fresh maze (' ', '#', 'M', 'C').
void grid_of_frame(const std::string& frame, Column* maze) {
  Picture picture;
  for (int r = 0; r < kSize; ++r) {
    picture.push_back(
        frame.substr(static_cast<std::size_t>(r) * (kSize + 1), kSize));
  }
  fill_from_picture(picture, maze);
}

TEST(EndToEndTest, SolvesTheMazeFile) {
  const struct {
    Picture maze;
    std::string after_menu;
  } cases[] = {
      {{"", "#M C"},
       frame_of_picture({"", "#M C"}) + frame_of_picture({"", "#+MC"}) +
           "\nMaze Solved!!\nTotal Moves: 2\n"},
      {{"", "#M"},
       frame_of_picture({"", "#M"}) +
           "\nThis maze cannot be solved!!\n3 Moves\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    Column maze[kSize];
    fill_from_picture(c.maze, maze);
    dir.write("maze.txt", maze_file_text(maze));
    const Result result = run_program_in(dir, "2\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kMenu + c.after_menu + kPrompt);
    EXPECT_EQ(result.err, "");
  }
}

TEST(EndToEndTest, LongRunsMatchThePlainSolver) {
  Column open[kSize];
  fill_all_open(open);
  Column corridor[kSize];
  fill_from_picture({"", "#M" + std::string(27, ' ')}, corridor);
  for (Column* maze : {open, corridor}) {
    TempDir dir;
    dir.write("maze.txt", maze_file_text(maze));
    std::ostringstream want;
    reference_solve(maze, want);
    const Result result = run_program_in(dir, "2");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kMenu + want.str() + kPrompt);
  }
}

TEST(EndToEndTest, RandomMazeRunsToAnEnding) {
  for (const char* answer : {"1\n", "", "7\n", "x"}) {
    TempDir dir;
    const Result result = run_program_in(dir, answer);
    EXPECT_EQ(result.status, 0);
    ASSERT_GT(result.out.size(), sizeof(kMenu) - 1 + kFrameLength);
    ASSERT_EQ(result.out.substr(0, sizeof(kMenu) - 1), kMenu);
    // Whatever maze came up, the rest of the run follows from its first frame.
    Column maze[kSize];
    grid_of_frame(result.out.substr(sizeof(kMenu) - 1, kFrameLength), maze);
    std::ostringstream want;
    reference_solve(maze, want);
    EXPECT_EQ(result.out, kMenu + want.str() + kPrompt) << answer;
  }
}

TEST(EndToEndTest, BadMazeFileEndsWithError) {
  std::string no_runner;
  for (int i = 0; i < kCells; ++i) no_runner += "0\n";
  const struct {
    const char* name;
    const char* file;  // nullptr: no maze file at all
    std::string error;
  } cases[] = {
      {"missing", nullptr,
       "maze.txt: cannot be opened: No such file or directory\n"},
      {"short", "3 0 2\n",
       "maze.txt: the file ends before row 0, column 3: 3 of 900 numbers "
       "read\n"},
      {"word", "3 0 two\n",
       "maze.txt: row 0, column 2: expected an integer, found \"two\"\n"},
      {"no runner", no_runner.c_str(),
       "maze.txt: the maze holds no runner (3)\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    if (c.file != nullptr) dir.write("maze.txt", c.file);
    const Result result = run_program_in(dir, "2\n");
    EXPECT_EQ(result.status, 1) << c.name;
    EXPECT_EQ(result.out, std::string(kMenu) + "\nError\n" + kPrompt) << c.name;
    EXPECT_EQ(result.err, c.error) << c.name;
  }
}

TEST(EndToEndTest, DirectoryInPlaceOfTheFile) {
  TempDir dir;
  dir.write("answer.in", "");
  ASSERT_EQ(std::system(("mkdir '" + dir.path() + "/maze.txt'").c_str()), 0);
  const Result result = run_program_in(dir, "2\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "maze.txt: cannot be read: Is a directory\n");
}

}  // namespace
