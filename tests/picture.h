// Mazes and expected texts shared by the tests.
#ifndef MAZE_TESTS_TEST_MAZES_H_
#define MAZE_TESTS_TEST_MAZES_H_

#include <string>
#include <vector>

#include "grid/grid.h"
#include "solver/solver.h"

// A maze drawn with glyphs: row k of the picture is row k of the grid, from
// column 0. Cells the picture leaves out are walls. '!' stands for 6.
using Picture = std::vector<std::string>;

// Fills the grid from a picture.
void fill_from_picture(const Picture& picture, Column* maze);

// The frame a picture prints: its rows padded with '#' to 30 by 30.
std::string frame_of_picture(const Picture& picture);

// The text of a maze file holding the grid: 30 lines of 30 numbers.
std::string maze_file_text(const Column* maze);

// Every interior cell open, the runner at (1, 1) and the cheese at (2, 1).
void fill_all_open(Column* maze);

// A plain solver, written the obvious way: it scans the whole grid for the
// runner at every mode entry and rebuilds every frame glyph by glyph.
Outcome reference_solve(Column* maze, std::ostream& out);

// A file in a fresh folder of its own that is removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string write(const std::string& name, const std::string& text) const;

 private:
  std::string path_;
};

#endif  // MAZE_TESTS_TEST_MAZES_H_
