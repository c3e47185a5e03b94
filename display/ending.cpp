#include "display/ending.h"

void print_ending(Ending ending, int total, std::ostream& out) {
  switch (ending) {
    case Ending::kSolved:
      out << "\nMaze Solved!!\n"
          << "Total Moves: " << total << std::endl;
      break;
    case Ending::kUnsolvable:
      out << "\nThis maze cannot be solved!!\n" << total << " Moves\n";
      break;
    case Ending::kLimit:
      out << "Exceeded " << kMoveLimit << " move limit\n";
      break;
    case Ending::kOutputFailed:  // nobody would see it
      break;
  }
}
