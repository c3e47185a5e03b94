#include "tests/picture.h"

#include <cstring>

#include "display/frame.h"

void fill_from_picture(const Picture& picture, Column* maze) {
  static const char kNotation[] = " #CM+X!";  // codes 0 to 6
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const char ch = static_cast<std::size_t>(r) < picture.size() &&
                              static_cast<std::size_t>(c) < picture[r].size()
                          ? picture[r][c]
                          : '#';
      const char* code = std::strchr(kNotation, ch);
      maze[c][r] = ch >= '0' && ch <= '9' ? ch - '0'
                   : ch != '\0' && code != nullptr
                       ? static_cast<std::int32_t>(code - kNotation)
                       : kWall;
    }
  }
}

void fill_from_frame(const std::string& frame, Column* maze) {
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const std::size_t at = static_cast<std::size_t>(r * kLineLength + c);
      maze[c][r] = kWall;
      for (std::int32_t code = kOpen; code <= kDead; ++code) {
        if (at < frame.size() && frame[at] == glyph_of(code)) maze[c][r] = code;
      }
    }
  }
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
