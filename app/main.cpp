#include <cstdlib>
#include <iostream>

#include "app/clock.h"
#include "app/fd_streams.h"
#include "app/pause.h"
#include "app/program.h"
#include "sources/message.h"

int main(int argc, char* argv[]) {
  FdInput stdin_buffer(0);
  std::istream in(&stdin_buffer);
  FdOutput stdout_buffer(1);
  std::ostream out(&stdout_buffer);
  int status = 0;
  if (argc > 1) {
    status = answer_arguments(argc, argv, out, std::cerr);
    out.flush();
  } else {
    std::srand(tick_count());
    status = run_program(in, out, std::cerr, "maze.txt");
    console_pause(in, out);
  }
  if (out) return status;
  // A run nobody could see has failed, whatever its ending: this is the one
  // place that says so.
  std::cerr << kProgramName
            << ": cannot write to standard output: " << stdout_buffer.error()
            << '\n';
  return 1;
}
