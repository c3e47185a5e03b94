// How a run ends, and the text that says so after the last frame.
#ifndef MAZE_SOLVER_ENDING_H_
#define MAZE_SOLVER_ENDING_H_

#include <cstdint>
#include <ostream>

enum class Ending : std::uint8_t {
  kSolved,        // walk mode is stuck with the cheese beside the runner
  kUnsolvable,    // the second backtrack mode is boxed in
  kLimit,         // the second backtrack mode is entered too late
  kOutputFailed,  // the output stream failed, and the run stopped there
};

// The second backtrack mode gives up when it is entered after this many
// steps or more; the limit ending names it.
constexpr int kStepLimit = 2000;

// Prints the verdict of `ending` and, when solved or unsolvable, the number
// of `steps` taken. Prints nothing for kOutputFailed. Does not flush: the
// pause that follows every ending flushes first.
void print_ending(Ending ending, int steps, std::ostream& out);

#endif  // MAZE_SOLVER_ENDING_H_
