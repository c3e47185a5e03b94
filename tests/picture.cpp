#include "tests/picture.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "display/frame.h"
#include "grid/grid.h"

void fill_from_picture(const Picture& picture, Column* maze) {
  const std::string notation = " #CM+X!";  // codes 0 to 6
  for (int r = 0; r < kSize; ++r) {
    const auto row = static_cast<std::size_t>(r);
    const std::string line = row < picture.size() ? picture[row] : "";
    for (int c = 0; c < kSize; ++c) {
      const auto col = static_cast<std::size_t>(c);
      const char ch = col < line.size() ? line[col] : '#';
      const std::size_t code = notation.find(ch);
      maze[c][r] = ch >= '0' && ch <= '9'      ? ch - '0'
                   : code != std::string::npos ? static_cast<std::int32_t>(code)
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
