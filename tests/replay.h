// A random maze's run, checked against its own first frame: whatever maze
// came up, the rest of the run follows from it.
#ifndef MAZE_TESTS_REPLAY_H_
#define MAZE_TESTS_REPLAY_H_

#include <string>

// What the program must have printed before its pause, given `run`, what it
// printed before its pause: the menu, then what the solver prints for the
// maze that the first frame shows. "" when `run` has no whole frame.
std::string replayed_run(const std::string& run);

#endif  // MAZE_TESTS_REPLAY_H_
