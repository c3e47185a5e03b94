#include "solver/solver.h"

#include <cstdint>
#include <ostream>

#include "display/frame.h"
#include "grid/grid.h"
#include "solver/ending.h"
#include "solver/runners.h"

namespace {

struct Offset {
  int dc;
  int dr;
};

constexpr Offset kUp{0, -1};
constexpr Offset kDown{0, 1};
constexpr Offset kLeft{-1, 0};
constexpr Offset kRight{1, 0};

// Neighbours in the order each mode tries them.
constexpr Offset kWalkOrder[] = {kUp, kDown, kLeft, kRight};
constexpr Offset kBackOrder[] = {kDown, kUp, kRight, kLeft};

// The mode entered next, or kEnded once the run has found its ending.
enum class Mode : std::uint8_t { kWalk, kBacktrack, kBacktrackII, kEnded };

struct Run {
  Column* maze = nullptr;
  std::ostream* out = nullptr;
  Frame frame{};  // the frame's text, kept between moves
  Runners runners;
  Counters counters;
  int frames = 1;  // the first frame is printed before any move
  Ending ending = Ending::kUnsolvable;
};

// The one place a cell changes: in the grid and in the kept frame at once,
// so that the frame always shows the grid.
void write_cell(Run* run, int col, int row, std::int32_t code) {
  run->maze[col][row] = code;
  set_glyph(&run->frame, col, row, code);
}

// Moves the runner onto the first neighbour, tried in `order`, that holds
// `target`, leaves `trail` in the cell it left and prints the new frame.
// Returns false, changing nothing, when no neighbour holds `target`.
bool move_runner(Run* run, const Offset (&order)[4], std::int32_t target,
                 std::int32_t trail) {
  const Position from = mover(run->runners);
  for (const Offset& step : order) {
    const int col = from.col + step.dc;
    const int row = from.row + step.dr;
    if (cell_at(run->maze, col, row) != target) continue;
    write_cell(run, from.col, from.row, trail);
    write_cell(run, col, row, kRunner);
    move_mover(&run->runners, reading_index(col, row));
    draw_maze(run->frame, *run->out);
    ++run->frames;
    return true;
  }
  return false;
}

bool beside_runner(const Run& run, std::int32_t code) {
  const Position at = mover(run.runners);
  for (const Offset& step : kWalkOrder) {
    if (cell_at(run.maze, at.col + step.dc, at.row + step.dr) == code) {
      return true;
    }
  }
  return false;
}

Mode end_run(Run* run, Ending ending) {
  run->ending = ending;
  return Mode::kEnded;
}

Mode walk_maze(Run* run) {
  ++run->counters.nk;
  if (move_runner(run, kWalkOrder, kOpen, kWalked)) return Mode::kWalk;
  if (beside_runner(*run, kCheese)) return end_run(run, Ending::kSolved);
  return Mode::kBacktrack;
}

Mode backtrack(Run* run) {
  ++run->counters.bk;
  if (move_runner(run, kBackOrder, kWalked, kBacktracked)) return Mode::kWalk;
  return Mode::kBacktrackII;
}

Mode backtrackII(Run* run) {
  if (run->counters.total() >= kStepLimit) {
    return end_run(run, Ending::kLimit);
  }
  ++run->counters.bkII;
  if (move_runner(run, kBackOrder, kBacktracked, kDead)) return Mode::kWalk;
  // Nothing changed, so trying again could only repeat this step forever:
  // a neighbour that is neither a wall nor a dead cell (another runner, or
  // a code no mode steps onto) must not keep the run going.
  return end_run(run, Ending::kUnsolvable);
}

}  // namespace

Outcome solve_maze(Column* pass_maze, std::ostream& out) {
  Run run;
  run.maze = pass_maze;
  run.out = &out;
  run.runners = collect_runners(pass_maze);
  build_frame(pass_maze, &run.frame);
  draw_maze(run.frame, out);

  // The modes hand over to each other in a loop, so the stack stays flat
  // however long the run.
  Mode mode = Mode::kWalk;
  while (mode != Mode::kEnded) {
    if (!out) {  // nobody would see the rest of the run
      mode = end_run(&run, Ending::kOutputFailed);
      break;
    }
    switch (mode) {
      case Mode::kWalk:
        mode = walk_maze(&run);
        break;
      case Mode::kBacktrack:
        mode = backtrack(&run);
        break;
      case Mode::kBacktrackII:
        mode = backtrackII(&run);
        break;
      case Mode::kEnded:
        break;
    }
  }
  print_ending(run.ending, run.counters.total(), out);
  return Outcome{run.ending, run.counters, run.frames};
}
