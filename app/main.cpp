#include <cstdlib>
#include <iostream>

#include "app/platform.h"
#include "app/program.h"

int main() {
  // Frames go out in large writes rather than a line at a time.
  std::ios::sync_with_stdio(false);
  std::srand(tick_count());
  const int status = run_program(std::cin, std::cout, std::cerr, "maze.txt");
  console_pause();
  return status;
}
