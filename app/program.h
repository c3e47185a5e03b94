// The program's dialogue: the command line, the menu, the choice of maze,
// and the run.
#ifndef MAZE_APP_PROGRAM_H_
#define MAZE_APP_PROGRAM_H_

#include <istream>
#include <ostream>
#include <string>

// The menu, and what replaces the frames when the maze file cannot be used.
constexpr char kMenu[] = "(1)Random\n(2)Test\n";
constexpr char kUnusableFile[] = "\nError\n";

// Answers a command line that has arguments (argc > 1), for the run itself
// takes none. Prints the usage for --help, or the version for --version, on
// `out` and returns 0; otherwise writes one line on `err` that names the
// first argument it cannot take and points at --help, and returns 2. Never
// reads, runs or pauses.
int answer_arguments(int argc, const char* const argv[], std::ostream& out,
                     std::ostream& err);

// Prints the menu, reads the answer and solves a maze: the file at
// `maze_path` for the answer 2, a random one (from std::rand) for any
// other. Returns the exit status: 0 after an ending, 1 when the file cannot
// be used, after kUnusableFile on `out` and a line on `err` (and, when
// there is no file by that name, a second one on how to get one). Stops as
// soon as `out` fails; that the run then failed is for the caller to
// report, who knows why. Does not seed, pause or exit.
int run_program(std::istream& in, std::ostream& out, std::ostream& err,
                const std::string& maze_path);

#endif  // MAZE_APP_PROGRAM_H_
