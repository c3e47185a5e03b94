// What the program's messages on standard error share: its name, which
// starts them, and text they show but did not write themselves, such as a
// word in the maze file or an argument on the command line.
#ifndef MAZE_SOURCES_MESSAGE_H_
#define MAZE_SOURCES_MESSAGE_H_

#include <string>

// "maze: " starts a message that has no place in a file.
constexpr char kProgramName[] = "maze";

// `text` between double quotes, with `\` and `"` escaped and every byte that
// does not print (control bytes, bytes beyond ASCII) written as \xHH, so
// that the message stays one printable line and the text can be read back
// from it exactly.
std::string quoted(const std::string& text);

#endif  // MAZE_SOURCES_MESSAGE_H_
