#include "tests/replay.h"

#include <sstream>
#include <string>

#include "app/program.h"
#include "display/frame.h"
#include "grid/grid.h"
#include "solver/solver.h"
#include "tests/picture.h"

std::string replayed_run(const std::string& run) {
  const std::string menu = kMenu;
  if (run.compare(0, menu.size(), menu) != 0 ||
      run.size() < menu.size() + kFrameLength) {
    return "";
  }
  Column maze[kSize];
  fill_from_frame(run.substr(menu.size(), kFrameLength), maze);
  if (count_runners(maze) == 0) return "";  // no maze the program makes
  std::ostringstream out;
  out << menu;
  solve_maze(maze, out);
  return out.str();
}
