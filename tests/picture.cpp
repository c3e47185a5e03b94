#include "tests/picture.h"

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
  for (std::size_t r = 0; r < picture.size() && r < kSize; ++r) {
    for (std::size_t c = 0; c < picture[r].size() && c < kSize; ++c) {
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

void fill_from_frame(const std::string& frame, Column* maze) {
  Picture picture;
  for (std::size_t start = 0; start < frame.size() && picture.size() < kSize;
       start += kSize + 1) {
    picture.push_back(frame.substr(start, kSize));
  }
  fill_from_picture(picture, maze);
}

std::string maze_file_text(const Column* maze, const std::string& blank,
                           const std::string& line_end) {
  std::string text;
  for (int r = 0; r < kSize; ++r) {
    for (int c = 0; c < kSize; ++c) {
      text += std::to_string(maze[c][r]);
      text += c + 1 < kSize ? blank : line_end;
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
