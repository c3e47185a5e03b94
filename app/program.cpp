#include "app/program.h"

#include <cstring>
#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <system_error>

#include "app/place.h"
#include "app/texts.h"
#include "grid/grid.h"
#include "solver/solver.h"
#include "sources/load_maze.h"
#include "sources/message.h"
#include "sources/random_maze.h"

namespace fs = std::filesystem;

namespace {

// Where the example mazes are, from the program's folder: beside it in the
// Windows ZIP, in the source tree for a build folder inside it, and in
// share/doc/maze of an install or of the package (whose program is in
// /usr/games).
const char* const kFolders[] = {"examples", "../examples",
                                "../share/doc/maze/examples"};
constexpr char kExample[] = "dead-end.txt";
constexpr char kCopyOne[] =
    "copy one of the example mazes that came with the program to maze.txt";

// One line that tells a user without maze.txt how to get one: the command
// that copies an example maze beside the program, or else to copy or to
// write one; or to answer 1 for a random maze.
std::string maze_file_hint() {
  // Where maze.txt cannot be made, a command to make it would only fail.
  const bool here = working_folder_takes_files();
  const std::string where = here ? "" : " in a folder of your own";
  std::string how =
      "write maze.txt" + where + " as \"man maze\" or README.md describes";
  const fs::path folder = own_file().parent_path();
  for (const char* examples : kFolders) {
    const fs::path example = (folder / examples / kExample).lexically_normal();
    std::error_code error;
    if (folder.empty() || !fs::is_regular_file(example, error)) continue;
    const std::string command = here ? copy_command(example) : "";
    how = "copy an example to maze.txt (" + command + ")";
    if (command.empty()) how = kCopyOne + where;
    break;
  }
  return "to play a maze file, " + how + ", or answer 1 for a random maze";
}

}  // namespace

int answer_arguments(int argc, const char* const argv[], std::ostream& out,
                     std::ostream& err) {
  for (int i = 1; i < argc; ++i) {
    const bool help = std::strcmp(argv[i], "--help") == 0;
    const bool version = std::strcmp(argv[i], "--version") == 0;
    if (help || version) continue;
    const bool option = argv[i][0] == '-' && argv[i][1] != '\0';
    err << kProgramName << ": "
        << (option ? "unrecognized option " : "unexpected argument ")
        << quoted(argv[i]) << "; try \"maze --help\" for more information\n";
    return 2;
  }
  out << (std::strcmp(argv[1], "--help") == 0 ? kUsage : kVersion);
  return 0;
}

int run_program(std::istream& in, std::ostream& out, std::ostream& err,
                const std::string& maze_path) {
  out << kMenu << std::flush;
  if (!out) return 0;  // a menu nobody sees asks nothing
  // Formatted extraction: blanks skipped, an optional sign and decimal
  // digits, stopping at the first other character. An answer that cannot
  // be read gives 0; one too large for an int gives the nearest int.
  int choice = 0;
  in >> choice;

  Column maze[kSize];
  if (choice == 2) {
    const LoadResult loaded = load_maze(maze_path, maze);
    if (!loaded.ok) {
      // A maze that was not read whole is never solved.
      out << kUnusableFile << std::flush;
      err << loaded.error << '\n';
      std::error_code error;
      if (fs::symlink_status(maze_path, error).type() ==
          fs::file_type::not_found)
        err << kProgramName << ": " << maze_file_hint() << '\n';
      return 1;
    }
  } else {
    random_maze(maze);
  }
  solve_maze(maze, out);
  return 0;
}
