#include <cstdlib>
#include <ostream>

#include "app/pause.h"

void console_pause(std::ostream& out) {
  if (!out.flush()) return;
  // The command interpreter writes its prompt itself, straight to the
  // console, and reads the key from there.
  std::system("pause");
}
