#include <chrono>
#include <cstdlib>
#include <iostream>

#include "app/pause.h"
#include "app/program.h"
#include "app/streams.h"
#include "sources/message.h"

int main(int argc, char* argv[]) {
  FdStream stdin_buffer(0);
  std::istream in(&stdin_buffer);
  FdStream stdout_buffer(1);
  std::ostream out(&stdout_buffer);
  int status = 0;
  if (argc > 1) {
    status = answer_arguments(argc, argv, out, std::cerr);
  } else {
    // Milliseconds of a clock that moves on from run to run.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::srand(static_cast<unsigned>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    status = run_program(in, out, std::cerr, "maze.txt");
    console_pause(out);
  }
  if (out.flush()) return status;
  // A run nobody could see has failed, whatever its ending: this is the one
  // place that says so.
  std::cerr << kProgramName
            << ": cannot write to standard output: " << stdout_buffer.error()
            << '\n';
  return 1;
}
