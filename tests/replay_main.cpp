// maze_replay: reads what a run of a random maze printed before its pause,
// CRLF or LF, and exits 0 when the whole run follows from its first frame.
#include <iostream>
#include <iterator>
#include <string>

#include "tests/replay.h"

int main() {
  std::string run(std::istreambuf_iterator<char>(std::cin), {});
  std::string text;
  for (char ch : run) {
    if (ch != '\r') text += ch;
  }
  const std::string want = replayed_run(text);
  if (!want.empty() && want == text) return 0;
  std::cerr << "maze_replay: the run does not follow from its first frame\n";
  return 1;
}
