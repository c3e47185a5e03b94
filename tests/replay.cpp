#include "tests/replay.h"

#include <sstream>

#include "display/frame.h"
#include "tests/picture.h"
#include "tests/plain_solver.h"

std::string replayed_run(const std::string& run) {
  const std::size_t menu = sizeof(kMenu) - 1;
  if (run.compare(0, menu, kMenu) != 0 || run.size() < menu + kFrameLength) {
    return "";
  }
  Column maze[kSize];
  fill_from_frame(run.substr(menu, kFrameLength), maze);
  std::ostringstream out;
  out << kMenu;
  plain_solve(maze, out);
  return out.str();
}
