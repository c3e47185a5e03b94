#include "app/program.h"

#include "grid/grid.h"
#include "solver/solver.h"
#include "sources/load_maze.h"
#include "sources/random_maze.h"

namespace {

// Formatted extraction: blanks skipped, an optional sign and decimal digits,
// stopping at the first other character. An answer that cannot be read
// gives 0; one too large for an int gives the nearest int.
int read_choice(std::istream& in) {
  int choice = 0;
  in >> choice;
  return choice;
}

}  // namespace

int run_program(std::istream& in, std::ostream& out, std::ostream& err,
                const std::string& maze_path) {
  out << "(1)Random\n"
      << "(2)Test\n"
      << std::flush;
  if (!out) return 1;  // a menu nobody sees asks nothing
  const int choice = read_choice(in);

  Column maze[kSize];
  if (choice == 2) {
    const LoadResult loaded = load_maze(maze_path, maze);
    if (!loaded.ok) {
      // A maze that was not read whole is never solved.
      out << "\nError\n" << std::flush;
      err << loaded.error << '\n';
      return 1;
    }
  } else {
    random_maze(maze);
  }
  solve_maze(maze, out);
  return out ? 0 : 1;
}
