// Runs the real program in a fresh folder, with a maze file and the menu
// answer on standard input, and checks all it writes and its exit status.
// What it prints is compared with what the solver prints in-process; the
// solver itself is compared with the plain one in solver/solver_test.cpp.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/pause.h"
#include "app/program.h"
#include "display/frame.h"
#include "grid/grid.h"
#include "solver/solver.h"
#include "sources/load_maze.h"
#include "tests/cases.h"
#include "tests/replay.h"
#include "tests/same_text.h"
#include "tests/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const std::string kPrompt = std::string(kPausePrompt) + "\n";

struct Result {
  int status;  // 128 + the signal when a signal ended it
  std::string out;
  std::string err;
};

// `text` as one word of the shell.
std::string shell_quoted(const std::string& text) {
  std::string word = "'";
  for (const char ch : text) word += ch == '\'' ? "'\\''" : std::string(1, ch);
  return word + "'";
}

// Runs `program` in `dir` with `answer` on standard input. `shell` is the
// command line around it, in which MAZE stands for the program: by default
// its output goes to out.txt and its errors to err.txt.
Result run_in(const TempDir& dir, const std::string& answer,
              const std::string& shell = "MAZE > out.txt",
              const std::string& program = MAZE_BINARY) {
  dir.write("answer.in", answer);
  std::string line = shell;
  line.replace(line.find("MAZE"), 4,
               "timeout 60 " + shell_quoted(program) + " < '" + dir.path() +
                   "/answer.in' 2> '" + dir.path() + "/err.txt'");
  const std::string command =
      "cd '" + dir.path() + "' && { " + line + "; echo $? > status.txt; }";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "cannot run " << line;
  return Result{std::atoi(read_file(dir.path() + "/status.txt").c_str()),
                read_file(dir.path() + "/out.txt"),
                read_file(dir.path() + "/err.txt")};
}

// What the program prints for a maze file that it cannot use.
const std::string kErrorRun =
    read_file(source_path("tests/transcripts/unusable-file.txt"));

// What the program prints before its pause for a maze file that it solves,
// and how the run ends.
std::string solved_run(const std::string& maze_file,
                       Outcome* outcome = nullptr) {
  Column maze[kSize];
  std::istringstream in(maze_file);
  EXPECT_TRUE(read_maze(in, "maze.txt", maze).ok);
  std::ostringstream want;
  want << kMenu;
  const Outcome solved = solve_maze(maze, want);
  if (outcome != nullptr) *outcome = solved;
  return want.str();
}

TEST(EndToEndTest, ExamplesEndAsReadmeSays) {
  const ReadmeFrame pictured = readme_frame();
  std::vector<std::string> listed;
  for (const ExampleRow& row : readme_examples()) {
    listed.push_back(row.file);
    TempDir dir;
    const std::string maze = read_file(source_path("examples/" + row.file));
    dir.write("maze.txt", maze);
    const Result result = run_in(dir, "2\n");
    Outcome outcome{};
    EXPECT_TRUE(same_text(result.out, solved_run(maze, &outcome) + kPrompt))
        << row.file;
    EXPECT_EQ(result.status, 0) << row.file;
    EXPECT_EQ(result.err, "") << row.file;
    EXPECT_EQ(outcome.ending, row.ending)
        << row.file << ": README says otherwise";
    if (row.steps >= 0) {
      EXPECT_EQ(outcome.counters.total(), row.steps)
          << row.file << ": README says otherwise";
    }
    if (row.file == pictured.file) {
      const std::size_t last =
          sizeof(kMenu) - 1 +
          static_cast<std::size_t>(outcome.frames - 1) * kFrameLength;
      EXPECT_TRUE(
          same_text(result.out.substr(last, pictured.top.size()), pictured.top))
          << "the last frame of " << row.file
          << " (got) is not README's picture of it (wanted): README needs "
             "mending if the program is right";
    }
  }
  EXPECT_NE(std::find(listed.begin(), listed.end(), pictured.file),
            listed.end())
      << "README pictures a frame of " << pictured.file;
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, example_files()) << "README lists other examples";
}

// What a player sees of a whole run, spelled out by hand beside the tests:
// the one place where the menu, the texts of an ending and the prompt are
// written a second time (kErrorRun's transcript has the error text).
TEST(EndToEndTest, ASolvedRunIsAsItsTranscript) {
  TempDir dir;
  dir.write("maze.txt", read_file(source_path("examples/solved-in-two.txt")));
  const Result result = run_in(dir, "2\n");
  EXPECT_TRUE(
      same_text(result.out,
                read_file(source_path("tests/transcripts/solved-in-two.txt"))));
  EXPECT_EQ(result.status, 0);
}

// The seed comes from a clock, so runs some milliseconds apart make other
// mazes.
TEST(EndToEndTest, RandomMazesDifferFromRunToRun) {
  TempDir dir;
  const Result first = run_in(dir, "1\n");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const Result second = run_in(dir, "1\n");
  const std::size_t frame = sizeof(kMenu) - 1 + kFrameLength;
  EXPECT_NE(first.out.substr(0, frame), second.out.substr(0, frame));
}

TEST(EndToEndTest, MenuAnswers) {
  const std::string maze = read_file(source_path("examples/dead-end.txt"));
  for (const MenuAnswer& a : menu_answers()) {
    TempDir dir;  // without a maze file, reading one would fail
    if (a.loads_file) dir.write("maze.txt", maze);
    const Result result = run_in(dir, a.answer + "\n");
    EXPECT_EQ(result.status, 0) << '"' << a.answer << '"';
    EXPECT_EQ(result.err, "") << '"' << a.answer << '"';
    const std::string run = result.out.substr(
        0, result.out.size() - std::min(result.out.size(), kPrompt.size()));
    const std::string want =
        a.loads_file ? solved_run(maze) : replayed_run(run);
    EXPECT_TRUE(same_text(result.out, want + kPrompt))
        << '"' << a.answer << '"';
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
    ASSERT_TRUE(same_text(result.out, kErrorRun)) << maze.name;
    EXPECT_EQ(result.err, maze.error) << maze.name;
  }
}

// A maze.txt that is no maze file: a directory, or endless, of any bytes.
TEST(EndToEndTest, MazeFilesThatAreNoFiles) {
  std::string zeros;  // the start of an endless token, as the error shows it
  for (int i = 0; i < 12; ++i) zeros += "\\x00";
  // A pipe that is fed BYTE without end, until the program stops reading.
  const auto endless = [](const std::string& byte) {
    return R"(mkfifo maze.txt && { timeout 60 sh -c "tr '\0' ')" + byte +
           R"(' </dev/zero >maze.txt" & })";
  };
  const struct {
    std::string make;  // a shell command run in the directory first
    std::string err;
  } cases[] = {
      {"mkdir maze.txt", "maze: maze.txt: Is a directory\n"},
      {"ln -s /dev/zero maze.txt",
       "maze.txt:1:1: expected an integer, found \"" + zeros +
           "\"... (more than 1048576 bytes) (row 0, column 0 of the maze)\n"},
      {endless("1"),
       "maze.txt:1:1: 111111111111... (more than 1048576 bytes) is too long "
       "for a number (row 0, column 0 of the maze)\n"},
      {endless(" "),
       "maze.txt:1:1: expected an integer, found more than 1048576 bytes of "
       "blanks (row 0, column 0 of the maze)\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string make = "cd '" + dir.path() + "' && " + c.make;
    ASSERT_EQ(std::system(make.c_str()), 0) << c.make;
    const Result result = run_in(dir, "2\n");
    EXPECT_EQ(result.status, 1) << c.make;
    EXPECT_TRUE(same_text(result.out, kErrorRun)) << c.make;
    EXPECT_EQ(result.err, c.err) << c.make;
  }
}

// A copy of the program laid out as an install is, under the folder
// `prefix`: PREFIX/bin/maze, with the example mazes in
// PREFIX/share/doc/maze/examples. Returns the program's path.
std::string installed_copy(const std::string& prefix) {
  fs::create_directories(prefix + "/bin");
  fs::copy_file(MAZE_BINARY, prefix + "/bin/maze");
  fs::create_directories(prefix + "/share/doc/maze");
  fs::copy(source_path("examples"), prefix + "/share/doc/maze/examples");
  return prefix + "/bin/maze";
}

// Without maze.txt the program says how to get one, on one line of
// printable ASCII: the command that copies an example from beside the
// program, which pastes back exactly whatever the folder's name, or no
// command where none would work.
TEST(EndToEndTest, AMissingMazeFileSaysHowToGetOne) {
  const std::string kNoFile = "maze: maze.txt: No such file or directory\n";
  const std::regex kHint(kNoFile +
                         "maze: to play a maze file, copy an example to "
                         "maze.txt \\((cp [ -~]*)\\), or answer 1 for a random "
                         "maze\n");
  const std::string kFolderOfYourOwn =
      "maze: to play a maze file, copy one of the example mazes that came "
      "with the program to maze.txt in a folder of your own, or answer 1 for "
      "a random maze\n";
  // A user whom a folder's permissions hold back, as they do not hold root.
  const std::string as_a_user =
      geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups "
                     : "";
  const struct {
    const char* name;
    std::string folder;  // the install's, in a temporary folder
    const char* make;    // a shell command run in the working folder first
    std::string err;     // the whole of standard error; "" for a command
    std::string shell = "MAZE > out.txt";
  } cases[] = {
      {"an install", "maze", "true", ""},
      {"a folder of quotes and blanks", "it's a maze", "true", ""},
      {"a folder whose name is not ASCII",
       "a\tb\r\x1b[7mc\nd\xff\xc3\xa9\xef\xbf\xbf'!\\", "true", ""},
      {"no examples", "maze", "rm -r maze/share",
       kNoFile + "maze: to play a maze file, write maze.txt as \"man maze\" "
                 "or README.md describes, or answer 1 for a random maze\n"},
      {"a link that leads nowhere", "maze", "ln -s gone.txt maze.txt",
       "maze: maze.txt: a link to \"gone.txt\", which leads to no file\n"},
      {"a working folder the user cannot write to", "maze", "chmod 555 .",
       kNoFile + kFolderOfYourOwn, as_a_user + "MAZE > out.txt"},
      {"a working folder that is gone", "maze", "true",
       kNoFile + kFolderOfYourOwn,
       R"((mkdir gone && cd gone && rmdir ../gone && MAZE > "$OLDPWD/out.txt"))"},
      {"a maze.txt the user cannot read", "maze",
       "chmod 755 . && echo 3 > maze.txt && chmod 0 maze.txt",
       "maze: maze.txt: Permission denied\n", as_a_user + "MAZE > out.txt"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string program = installed_copy(dir.path() + "/" + c.folder);
    ASSERT_EQ(std::system(("cd '" + dir.path() + "' && " + c.make).c_str()), 0);
    const Result missing = run_in(dir, "2\n", c.shell, program);
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(missing.status, 1) << c.name;
    ASSERT_TRUE(same_text(missing.out, kErrorRun)) << c.name;
    if (!c.err.empty()) {
      EXPECT_EQ(missing.err, c.err) << c.name;
      continue;
    }
    // One line of printable ASCII, whose command is pasted into bash, as a
    // player would.
    std::smatch hint;
    ASSERT_TRUE(std::regex_match(missing.err, hint, kHint))
        << c.name << ": " << missing.err;
    const std::string copy = hint[1];
    dir.write("paste.sh", copy + "\n");
    ASSERT_EQ(std::system(("cd '" + dir.path() + "' && bash paste.sh").c_str()),
              0)
        << c.name << ": " << copy;
    const Result copied = run_in(dir, "2\n", "MAZE > out.txt", program);
    EXPECT_EQ(copied.status, 0) << c.name << ": " << copy;
    EXPECT_EQ(copied.err, "") << c.name << ": " << copy;
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
      {"MAZE --version > out.txt", 0,
       std::string("maze ") + MAZE_VERSION + "\n", ""},
      {"MAZE other.txt > out.txt", 2, "",
       "maze: unexpected argument \"other.txt\"; try \"maze --help\" for more "
       "information\n"},
      {"MAZE - > out.txt", 2, "",
       "maze: unexpected argument \"-\"; try \"maze --help\" for more "
       "information\n"},
      {"MAZE --help --versio > out.txt", 2, "",
       "maze: unrecognized option \"--versio\"; try \"maze --help\" for more "
       "information\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const Result result = run_in(dir, "2\n", c.shell);
    EXPECT_EQ(result.status, c.status) << c.shell;
    EXPECT_EQ(result.out.compare(0, c.out_starts.size(), c.out_starts), 0)
        << c.shell;
    EXPECT_EQ(result.out.find(kMenu), std::string::npos) << c.shell;
    EXPECT_TRUE(c.status == 0 || result.out.empty()) << c.shell;
    EXPECT_EQ(result.err, c.err) << c.shell;
  }
}

// Output that cannot be written ends the run at once, says why on standard
// error and exits 1, without the pause; with SIGPIPE as usual, a reader
// that goes away ends it quietly.
TEST(EndToEndTest, OutputThatCannotBeWritten) {
  const struct {
    const char* name;
    std::string shell;
    int status;
    int why;  // 0: nothing on standard error
  } cases[] = {
      {"a full device", "MAZE > /dev/full", 1, ENOSPC},
      {"--help to a full device", "MAZE --help > /dev/full", 1, ENOSPC},
      {"a closed standard output", "MAZE >&-", 1, EBADF},
      {"a reader that went away, SIGPIPE ignored",
       "(trap '' PIPE; MAZE; echo $? > piped.txt) | head -c 20 > out.txt", 1,
       EPIPE},
      {"a reader that went away",
       "(MAZE; echo $? > piped.txt) | head -c 20 > out.txt", 128 + SIGPIPE, 0},
      {"a file size limit, SIGXFSZ ignored",
       "(trap '' XFSZ; ulimit -f 1; MAZE > out.txt)", 1, EFBIG},
  };
  const std::string maze = read_file(source_path("examples/open.txt"));
  const std::string run = solved_run(maze);
  for (const auto& c : cases) {
    TempDir dir;
    dir.write("maze.txt", maze);
    Result result = run_in(dir, "2\n", c.shell);
    const std::string piped = read_file(dir.path() + "/piped.txt");
    if (!piped.empty()) result.status = std::atoi(piped.c_str());
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(result.err,
              c.why == 0
                  ? std::string()
                  : std::string("maze: cannot write to standard output: ") +
                        std::strerror(c.why) + "\n")
        << c.name;
    // Whatever got through is the start of the run, and no more than fits.
    EXPECT_EQ(run.compare(0, result.out.size(), result.out), 0) << c.name;
    EXPECT_LE(result.out.size(), 1024u) << c.name;
  }
}

}  // namespace
