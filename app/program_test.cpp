#include "app/program.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "tests/test_mazes.h"

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

struct Answered {
  int status;
  std::string out;
  std::string err;
};

Answered run_with(const std::string& answer, const std::string& maze_path) {
  std::istringstream in(answer);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_program(in, out, err, maze_path);
  return Answered{status, out.str(), err.str()};
}

TEST(RunProgramTest, AnswerTwoSolvesTheFile) {
  TempDir dir;
  Column maze[kSize];
  fill_from_picture({"", "#M C"}, maze);
  const std::string path = dir.write("maze.txt", maze_file_text(maze));
  for (const char* answer : {"2\n", " 2", "2abc", "02", "2.7"}) {
    const Answered run = run_with(answer, path);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "(1)Random\n(2)Test\n" + frame_of_picture({"", "#M C"}) +
                           frame_of_picture({"", "#+MC"}) +
                           "\nMaze Solved!!\nTotal Moves: 2\n")
        << answer;
    EXPECT_EQ(run.err, "");
  }
}

TEST(RunProgramTest, OtherAnswersMakeARandomMaze) {
  TempDir dir;  // no maze file: reading one would fail
  for (const char* answer : {"1\n", "0", "3", "-2", "0x2", "abc", ""}) {
    const Answered run = run_with(answer, dir.path() + "/maze.txt");
    EXPECT_EQ(run.status, 0) << answer;
    const std::string top = "(1)Random\n(2)Test\n" + std::string(kSize, '#');
    EXPECT_EQ(run.out.substr(0, top.size()), top) << answer;
    EXPECT_EQ(run.out.find("Error"), std::string::npos) << answer;
  }
}

TEST(RunProgramTest, BadFileIsReportedAndNeverSolved) {
  TempDir dir;
  std::string no_runner;
  for (int i = 0; i < kCells; ++i) no_runner += "1 ";
  const struct {
    const char* name;
    std::string text;
    std::string error;
  } cases[] = {
      {"missing", "", "cannot be opened"},
      {"short", "3 0 2", "the file ends before row 0, column 3"},
      {"not a number", "3 x", "row 0, column 1: expected an integer"},
      {"no runner", no_runner, "no runner"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.path() + "/" + c.name + ".txt";
    if (!c.text.empty()) dir.write(std::string(c.name) + ".txt", c.text);
    const Answered run = run_with("2\n", path);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(run.out, "(1)Random\n(2)Test\n\nError\n") << c.name;
    EXPECT_EQ(run.err.rfind(path + ": ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
  }
}

}  // namespace
