// The end-to-end cases, read from where they are kept: the example mazes in
// examples/ with their endings and a frame in README.md, the bad maze files in
// tests/bad_mazes/, and the menu answers in tests/menu_answers.txt.
#ifndef MAZE_TESTS_CASES_H_
#define MAZE_TESTS_CASES_H_

#include <ostream>
#include <string>
#include <vector>

#include "solver/ending.h"

// How an ending shows in a test's failure.
void PrintTo(Ending ending, std::ostream* out);

// The source tree's root.
std::string source_path(const std::string& relative);

// A row of README's table of example mazes.
struct ExampleRow {
  std::string file;  // a name in examples/
  Ending ending;
  int steps;  // -1 where the ending gives no count
};

// README's table of example mazes. Throws when a row cannot be read.
std::vector<ExampleRow> readme_examples();

// README's picture of a frame: the top lines of the last frame of the
// example `file`, each ended by a newline. Throws when README has none.
struct ReadmeFrame {
  std::string file;
  std::string top;
};
ReadmeFrame readme_frame();

// The names of the mazes in examples/, sorted.
std::vector<std::string> example_files();

// A maze file the program cannot use, and the lines it writes about it on
// standard error.
struct BadMaze {
  std::string name;
  std::string path;
  std::string error;
};

// Every file in tests/bad_mazes/, sorted by name.
std::vector<BadMaze> bad_mazes();

struct MenuAnswer {
  std::string answer;
  bool loads_file;  // else it makes a random maze
};

// The answers in tests/menu_answers.txt.
std::vector<MenuAnswer> menu_answers();

#endif  // MAZE_TESTS_CASES_H_
