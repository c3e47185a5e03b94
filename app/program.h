// The program's dialogue: the menu, the choice of maze, and the run.
#ifndef MAZE_APP_PROGRAM_H_
#define MAZE_APP_PROGRAM_H_

#include <istream>
#include <ostream>
#include <string>

// Prints the menu, reads the answer and solves a maze: the file at
// `maze_path` for the answer 2, a random one (from std::rand) for any
// other. Returns the exit status: 0 after an ending, 1 when the file cannot
// be used, after "\nError\n" on `out` and one line on `err`. Stops as soon
// as `out` fails, and returns 1; the caller knows why and reports it. Does
// not seed, pause or exit.
int run_program(std::istream& in, std::ostream& out, std::ostream& err,
                const std::string& maze_path);

#endif  // MAZE_APP_PROGRAM_H_
