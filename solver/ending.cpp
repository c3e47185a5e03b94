#include "solver/ending.h"

#include <ostream>

// The texts say "moves" for the steps counted.
void print_ending(Ending ending, int steps, std::ostream& out) {
  switch (ending) {
    case Ending::kSolved:
      out << "\nMaze Solved!!\n"
          << "Total Moves: " << steps << '\n';
      break;
    case Ending::kUnsolvable:
      out << "\nThis maze cannot be solved!!\n" << steps << " Moves\n";
      break;
    case Ending::kLimit:
      out << "Exceeded " << kStepLimit << " move limit\n";
      break;
    case Ending::kOutputFailed:  // nobody would see it
      break;
  }
}
