#include "tests/test_mazes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <stdexcept>

#include "display/frame.h"

namespace {

std::int32_t code_of_glyph(char glyph) {
  switch (glyph) {
    case ' ':
      return kOpen;
    case 'C':
      return kCheese;
    case 'M':
      return kRunner;
    case '+':
      return kWalked;
    case 'X':
      return kBacktracked;
    case '!':
      return kDead;
    default:
      return kWall;
  }
}

}  // namespace

void fill_from_picture(const Picture& picture, Column* maze) {
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) maze[c][r] = kWall;
  }
  for (std::size_t r = 0; r < picture.size(); ++r) {
    for (std::size_t c = 0; c < picture[r].size(); ++c) {
      maze[c][r] = code_of_glyph(picture[r][c]);
    }
  }
}

std::string frame_of_picture(const Picture& picture) {
  std::string text;
  for (std::size_t r = 0; r < kSize; ++r) {
    std::string line = r < picture.size() ? picture[r] : "";
    line.resize(kSize, '#');
    text += line + "\n";
  }
  return text;
}

std::string maze_file_text(const Column* maze) {
  std::string text;
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      text += std::to_string(maze[c][r]);
      text += c + 1 < kSize ? " " : "\n";
    }
  }
  return text;
}

void fill_all_open(Column* maze) {
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const bool border = c == 0 || r == 0 || c == kSize - 1 || r == kSize - 1;
      maze[c][r] = border ? kWall : kOpen;
    }
  }
  maze[1][1] = kRunner;
  maze[2][1] = kCheese;
}

namespace {

void draw_slowly(const Column* maze, std::ostream& out) {
  int k = 0;
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      out.put(glyph_of(maze[c][r]));
      if (++k == kSize) {
        out << "\n";
        k = 0;
      }
    }
  }
}

// Moves the scanned runner to the first neighbour in `order` that holds
// `target`; returns false when there is none.
bool try_move(Column* maze, const int (&order)[4][2], std::int32_t target,
              std::int32_t trail) {
  const Position p = find_runner(maze);
  for (const auto& d : order) {
    if (cell_at(maze, p.col + d[0], p.row + d[1]) == target) {
      maze[p.col][p.row] = trail;
      maze[p.col + d[0]][p.row + d[1]] = kRunner;
      return true;
    }
  }
  return false;
}

}  // namespace

Outcome reference_solve(Column* maze, std::ostream& out) {
  static const int kWalkOrder[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  static const int kBackOrder[4][2] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
  Counters k;
  int frames = 1;
  draw_slowly(maze, out);
  int mode = 0;
  for (;;) {
    if (mode == 0) {
      ++k.nk;
      if (try_move(maze, kWalkOrder, kOpen, kWalked)) {
        draw_slowly(maze, out);
        ++frames;
        continue;
      }
      const Position p = find_runner(maze);
      bool cheese_beside = false;
      for (const auto& d : kWalkOrder) {
        cheese_beside |= cell_at(maze, p.col + d[0], p.row + d[1]) == kCheese;
      }
      if (cheese_beside) {
        out << "\nMaze Solved!!\nTotal Moves: " << k.total() << "\n";
        return Outcome{Ending::kSolved, k, frames};
      }
      mode = 1;
    } else if (mode == 1) {
      ++k.bk;
      if (try_move(maze, kBackOrder, kWalked, kBacktracked)) {
        draw_slowly(maze, out);
        ++frames;
        mode = 0;
        continue;
      }
      mode = 2;
    } else {
      if (k.total() > 1999) {
        out << "Exceeded 2000 move limit\n";
        return Outcome{Ending::kLimit, k, frames};
      }
      ++k.bkII;
      if (try_move(maze, kBackOrder, kBacktracked, kDead)) {
        draw_slowly(maze, out);
        ++frames;
        mode = 0;
        continue;
      }
      out << "\nThis maze cannot be solved!!\n" << k.total() << " Moves\n";
      return Outcome{Ending::kUnsolvable, k, frames};
    }
  }
}

TempDir::TempDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "maze-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::write(const std::string& name,
                           const std::string& text) const {
  const std::string file = path_ + "/" + name;
  std::ofstream(file, std::ios::binary) << text;
  return file;
}
