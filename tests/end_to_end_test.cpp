// Runs the real program in a fresh folder, with a maze file and the menu
// answer on standard input, and checks all it writes and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "sources/load_maze.h"
#include "tests/cases.h"
#include "tests/picture.h"
#include "tests/plain_solver.h"
#include "tests/replay.h"
#include "tests/temp_dir.h"

namespace {

const char kPrompt[] = "Press any key to continue . . . \n";

struct Result {
  int status;  // 128 + the signal when a signal ended it
  std::string out;
  std::string err;
};

// Runs the program in `dir` with `answer` on standard input. `shell` is the
// command line around it, in which MAZE stands for the program: by default
// its output goes to out.txt and its errors to err.txt.
Result run_in(const TempDir& dir, const std::string& answer,
              const std::string& shell = "MAZE > out.txt") {
  dir.write("answer.in", answer);
  std::string line = shell;
  line.replace(line.find("MAZE"), 4,
               "timeout 60 '" MAZE_BINARY "' < answer.in 2> err.txt");
  const std::string command =
      "cd '" + dir.path() + "' && { " + line + "; echo $? > status.txt; }";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot run " << line;
  return Result{std::atoi(read_file(dir.path() + "/status.txt").c_str()),
                read_file(dir.path() + "/out.txt"),
                read_file(dir.path() + "/err.txt")};
}

// What the program prints for a maze file that it cannot use.
const std::string kErrorRun = std::string(kMenu) + "\nError\n" + kPrompt;

// What the program prints for a maze file that it solves.
std::string solved_run(const std::string& maze_file) {
  Column maze[kSize];
  std::istringstream in(maze_file);
  read_maze(in, "maze.txt", maze);
  std::ostringstream want;
  want << kMenu;
  plain_solve(maze, want);
  return want.str() + kPrompt;
}

TEST(EndToEndTest, ExamplesEndAsReadmeSays) {
  const std::vector<ExampleRow> rows = readme_examples();
  std::vector<std::string> listed;
  for (const ExampleRow& row : rows) {
    listed.push_back(row.file);
    TempDir dir;
    const std::string maze = read_file(source_path("examples/" + row.file));
    ASSERT_FALSE(maze.empty()) << row.file;
    dir.write("maze.txt", maze);
    const Result result = run_in(dir, "2\n");
    EXPECT_EQ(result.status, 0) << row.file;
    EXPECT_EQ(result.out, solved_run(maze)) << row.file;
    EXPECT_EQ(result.err, "") << row.file;

    const std::string ending = plain_ending(row.ending, row.moves) + kPrompt;
    ASSERT_GE(result.out.size(), ending.size());
    EXPECT_EQ(result.out.substr(result.out.size() - ending.size()), ending)
        << row.file << ": README says otherwise";
  }
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, example_files()) << "README lists other examples";
}

TEST(EndToEndTest, LongCorridorMatchesThePlainSolver) {
  Column corridor[kSize];
  fill_from_picture({"", "#M" + std::string(27, ' ')}, corridor);
  TempDir dir;
  dir.write("maze.txt", maze_file_text(corridor));
  const Result result = run_in(dir, "2");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, solved_run(maze_file_text(corridor)));
}

TEST(EndToEndTest, MenuAnswers) {
  const std::string maze = read_file(source_path("examples/dead-end.txt"));
  for (const MenuAnswer& a : menu_answers()) {
    TempDir dir;  // without a maze file, reading one would fail
    if (a.loads_file) dir.write("maze.txt", maze);
    const Result result = run_in(dir, a.answer + "\n");
    EXPECT_EQ(result.status, 0) << '"' << a.answer << '"';
    EXPECT_EQ(result.err, "") << '"' << a.answer << '"';
    if (a.loads_file) {
      EXPECT_EQ(result.out, solved_run(maze)) << '"' << a.answer << '"';
      continue;
    }
    ASSERT_GE(result.out.size(), sizeof(kPrompt) - 1);
    const std::string run =
        result.out.substr(0, result.out.size() - (sizeof(kPrompt) - 1));
    EXPECT_EQ(run, replayed_run(run)) << '"' << a.answer << '"';
    EXPECT_EQ(result.out.substr(run.size()), kPrompt);
  }
}

TEST(EndToEndTest, BadMazeFilesEndWithError) {
  const std::vector<BadMaze> bad = bad_mazes();
  ASSERT_FALSE(bad.empty());
  for (const BadMaze& maze : bad) {
    TempDir dir;
    dir.write("maze.txt", read_file(maze.path));
    const Result result = run_in(dir, "2\n");
    EXPECT_EQ(result.status, 1) << maze.name;
    EXPECT_EQ(result.out, kErrorRun) << maze.name;
    EXPECT_EQ(result.err, maze.error) << maze.name;
  }
}

// A maze.txt that is no maze file: missing, a directory, or endless.
TEST(EndToEndTest, MazeFilesThatAreNoFiles) {
  std::string zeros;  // the start of an endless token, as the error shows it
  for (int i = 0; i < 12; ++i) zeros += "\\x00";
  const struct {
    const char* make;  // a shell command run in the directory first
    std::string err;
  } cases[] = {
      {"true", "maze: maze.txt: No such file or directory\n"},
      {"mkdir maze.txt", "maze: maze.txt: Is a directory\n"},
      {"ln -s /dev/zero maze.txt",
       "maze.txt:1:1: expected an integer, found \"" + zeros +
           "\"... (more than 1048576 bytes) (row 0, column 0 of the maze)\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string make = "cd '" + dir.path() + "' && " + c.make;
    ASSERT_EQ(std::system(make.c_str()), 0) << c.make;
    const Result result = run_in(dir, "2\n");
    EXPECT_EQ(result.status, 1) << c.make;
    EXPECT_EQ(result.out, kErrorRun) << c.make;
    EXPECT_EQ(result.err, c.err) << c.make;
  }
}

// The run takes no arguments: --help and --version answer and exit, and
// anything else is refused, all without the menu.
TEST(EndToEndTest, Arguments) {
  const struct {
    const char* shell;
    int status;
    std::string out_starts;
    std::string err;
  } cases[] = {
      {"MAZE --help > out.txt", 0, "Usage: maze [--help | --version]\n", ""},
      {"MAZE --version > out.txt", 0, "maze " MAZE_VERSION "\n", ""},
      {"MAZE other.txt > out.txt", 2, "",
       "maze: unexpected argument \"other.txt\"; try \"maze --help\" for more "
       "information\n"},
      {"MAZE --help --versio > out.txt", 2, "",
       "maze: unrecognized option \"--versio\"; try \"maze --help\" for more "
       "information\n"},
      {"MAZE --help > /dev/full", 1, "",
       "maze: cannot write to standard output: " +
           std::string(strerror(ENOSPC)) + "\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const Result result = run_in(dir, "2\n", c.shell);
    EXPECT_EQ(result.status, c.status) << c.shell;
    EXPECT_EQ(result.out.compare(0, c.out_starts.size(), c.out_starts), 0)
        << c.shell;
    EXPECT_EQ(result.out.find(kMenu), std::string::npos) << c.shell;
    if (c.status != 0) {
      EXPECT_EQ(result.out, "") << c.shell;
    }
    EXPECT_EQ(result.err, c.err) << c.shell;
  }
}

// Output that cannot be written ends the run at once, says why on standard
// error and exits 1, without the pause.
TEST(EndToEndTest, OutputThatCannotBeWrittenIsAFailure) {
  const struct {
    const char* name;
    std::string shell;
    int why;
  } cases[] = {
      {"a full device", "MAZE > /dev/full", ENOSPC},
      {"a closed standard output", "MAZE >&-", EBADF},
      {"a reader that went away, SIGPIPE ignored",
       "(trap '' PIPE; MAZE; echo $? > piped.txt) | head -c 20 > out.txt",
       EPIPE},
      {"a file size limit, SIGXFSZ ignored",
       "(trap '' XFSZ; ulimit -f 1; MAZE > out.txt)", EFBIG},
  };
  const std::string maze = read_file(source_path("examples/open.txt"));
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("maze.txt", maze);
    Result result = run_in(dir, "2\n", c.shell);
    const std::string piped = read_file(dir.path() + "/piped.txt");
    if (!piped.empty()) result.status = std::atoi(piped.c_str());
    EXPECT_EQ(result.status, 1) << c.name;
    EXPECT_EQ(result.err,
              std::string("maze: cannot write to standard output: ") +
                  std::strerror(c.why) + "\n")
        << c.name;
    // Whatever got through is the start of the run, without the prompt.
    EXPECT_EQ(solved_run(maze).compare(0, result.out.size(), result.out), 0)
        << c.name;
    EXPECT_LT(result.out.size(), 2000u) << c.name;
  }
}

TEST(EndToEndTest, AReaderThatGoesAwayEndsTheRunQuietly) {
  TempDir dir;
  const std::string maze = read_file(source_path("examples/open.txt"));
  dir.write("maze.txt", maze);
  const Result result =
      run_in(dir, "2\n", "(MAZE; echo $? > piped.txt) | head -c 20 > out.txt");
  EXPECT_EQ(std::atoi(read_file(dir.path() + "/piped.txt").c_str()),
            128 + SIGPIPE);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, solved_run(maze).substr(0, 20));
}

}  // namespace
