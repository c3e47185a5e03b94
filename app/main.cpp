#include <cstdlib>
#include <iostream>

#include "app/output.h"
#include "app/platform.h"
#include "app/program.h"

int main() {
  FdOutput stdout_buffer(1);
  std::ostream out(&stdout_buffer);
  std::srand(tick_count());
  const int status = run_program(std::cin, out, std::cerr, "maze.txt");
  if (out && console_pause(out)) return status;
  // A run nobody could see has failed, and a prompt nobody sees is no
  // reason to wait.
  std::cerr << "maze: cannot write to standard output: "
            << stdout_buffer.error() << '\n';
  return 1;
}
