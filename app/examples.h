// The example mazes beside the program, for a user who has no maze file.
#ifndef MAZE_APP_EXAMPLES_H_
#define MAZE_APP_EXAMPLES_H_

#include <string>

// One line that tells a user without maze.txt how to get one: the command
// that copies an example maze to it, from where the program's own build,
// install or package keeps them, or else to write one; or to answer 1 for
// a random maze. The command is printable ASCII on POSIX systems, and
// pastes back exactly into the shell (bash, zsh, ksh) or cmd; where it
// cannot, or the working folder cannot take maze.txt, there is none.
std::string maze_file_hint();

#endif  // MAZE_APP_EXAMPLES_H_
