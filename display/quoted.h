// Text that a message shows but did not write itself, such as a word in the
// maze file or an argument on the command line.
#ifndef MAZE_DISPLAY_QUOTED_H_
#define MAZE_DISPLAY_QUOTED_H_

#include <string>

// `text` between double quotes, with `\` and `"` escaped and every byte that
// does not print (control bytes, bytes beyond ASCII) written as \xHH, so
// that the message stays one printable line and the text can be read back
// from it exactly.
std::string quoted(const std::string& text);

#endif  // MAZE_DISPLAY_QUOTED_H_
