#include "app/program.h"

#include <cstring>
#include <istream>
#include <ostream>

#include "app/examples.h"
#include "grid/grid.h"
#include "solver/solver.h"
#include "sources/load_maze.h"
#include "sources/message.h"
#include "sources/random_maze.h"

namespace {

// Formatted extraction: blanks skipped, an optional sign and decimal digits,
// stopping at the first other character. An answer that cannot be read
// gives 0; one too large for an int gives the nearest int.
int read_choice(std::istream& in) {
  int choice = 0;
  in >> choice;
  return choice;
}

constexpr char kUsage[] =
    "Usage: maze [--help | --version]\n"
    "A runner searches a maze of 30 by 30 cells for the cheese, and the\n"
    "whole maze is printed again each time it moves to another cell.\n"
    "\n"
    "The program asks one question on standard input:\n"
    "  (1)Random  a random maze\n"
    "  (2)Test    the maze in the file maze.txt in the working directory:\n"
    "             900 whole numbers, row by row (0 open, 1 wall, 2 cheese,\n"
    "             3 runner)\n"
    "The answer is read as far as it is a whole number: 2, 02, +2, 2.7 and\n"
    "2abc load maze.txt, and any other answer makes a random maze. The run\n"
    "ends solved, unsolved or at the move limit, then waits for a key.\n"
    "\n"
    "      --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Exit status: 0 after a run; 1 when maze.txt cannot be used or standard\n"
    "output cannot be written; 2 for an argument the program does not take.\n"
    "\n"
    "The manual: man maze. README.md and example mazes are in\n"
    "share/doc/maze where the program is installed.\n";

constexpr char kCopyright[] =
    "Copyright (C) 2026 the maze authors.\n"
    "This is free software under the MIT licence: you may change and pass it\n"
    "on. There is NO WARRANTY, to the extent permitted by law.\n";

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
  if (std::strcmp(argv[1], "--help") == 0) {
    out << kUsage;
  } else {
    out << kProgramName << ' ' << MAZE_VERSION << '\n' << kCopyright;
  }
  return 0;
}

int run_program(std::istream& in, std::ostream& out, std::ostream& err,
                const std::string& maze_path) {
  out << kMenu << std::flush;
  if (!out) return 0;  // a menu nobody sees asks nothing
  const int choice = read_choice(in);

  Column maze[kSize];
  if (choice == 2) {
    const LoadResult loaded = load_maze(maze_path, maze);
    if (!loaded.ok) {
      // A maze that was not read whole is never solved.
      out << kUnusableFile << std::flush;
      err << loaded.error << '\n';
      if (loaded.missing)
        err << kProgramName << ": " << maze_file_hint() << '\n';
      return 1;
    }
  } else {
    random_maze(maze);
  }
  solve_maze(maze, out);
  return 0;
}
