#include "sources/load_maze.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

namespace {

constexpr int kEof = std::char_traits<char>::eof();
constexpr std::size_t kShownLength = 24;  // of a bad token, in a message

// The blanks that formatted extraction skips.
bool is_blank(int ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' ||
         ch == '\r';
}

bool is_digit(int ch) { return ch >= '0' && ch <= '9'; }

void append_shown(std::string* shown, int ch) {
  static const char kHex[] = "0123456789ABCDEF";
  if (ch == '\\' || ch == '"') {
    // Escaped, so that the text \xFF and the byte 0xFF read differently.
    *shown += '\\';
    *shown += static_cast<char>(ch);
  } else if (ch > ' ' && ch < 0x7f) {
    *shown += static_cast<char>(ch);
  } else {  // keep the message one printable line
    *shown += "\\x";
    *shown += kHex[(ch >> 4) & 0xf];
    *shown += kHex[ch & 0xf];
  }
}

// `shown` and the rest of the token at the reader's place, up to the next
// blank, quoted for a message. Consumes that token.
std::string quoted_token(std::streambuf* in, std::string shown) {
  int ch = in->sgetc();
  while (ch != kEof && !is_blank(ch) && shown.size() < kShownLength) {
    append_shown(&shown, ch);
    ch = in->snextc();
  }
  if (ch != kEof && !is_blank(ch)) shown += "...";
  return "\"" + shown + "\"";
}

std::string place_of(int index) {
  const Position p = position_at(index);
  return "row " + std::to_string(p.row) + ", column " + std::to_string(p.col);
}

LoadResult failure(std::string error) {
  return LoadResult{false, std::move(error)};
}

// The token at the reader's place, from `shown` on, is no number.
LoadResult not_an_integer(int index, std::streambuf* in, std::string shown) {
  return failure(place_of(index) + ": expected an integer, found " +
                 quoted_token(in, std::move(shown)));
}

}  // namespace

LoadResult read_maze(std::istream& fin, Column* pass_maze) {
  std::streambuf* in = fin.rdbuf();
  if (in == nullptr) return failure("nothing to read");
  for (int i = 0; i < kCells; ++i) {
    int ch = in->sgetc();
    while (is_blank(ch)) ch = in->snextc();
    if (ch == kEof) {
      return failure("the file ends before " + place_of(i) + ": " +
                     std::to_string(i) + " of " + std::to_string(kCells) +
                     " numbers read");
    }
    std::string shown;
    const bool negative = ch == '-';
    if (ch == '-' || ch == '+') {
      shown += static_cast<char>(ch);
      ch = in->snextc();
    }
    if (!is_digit(ch)) {
      return not_an_integer(i, in, shown);
    }
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    bool fits = true;
    bool cut = false;  // digits left out of `shown`
    for (; is_digit(ch); ch = in->snextc()) {
      if (shown.size() < kShownLength) {
        shown += static_cast<char>(ch);
      } else {
        cut = true;
      }
      value = value * 10 + (ch - '0');
      if (value > limit) {
        fits = false;
        value = limit;  // keeps reading the digits without overflow
      }
    }
    // A number ends at a blank: "0-2" is a typo, not the numbers 0 and -2.
    // Whatever follows the last number is never read.
    if (i + 1 < kCells && ch != kEof && !is_blank(ch)) {
      return not_an_integer(i, in, shown);
    }
    if (!fits) {
      if (cut) shown += "...";
      return failure(place_of(i) + ": " + shown +
                     " does not fit a 32-bit signed integer");
    }
    const Position p = position_at(i);
    pass_maze[p.col][p.row] =
        static_cast<std::int32_t>(negative ? -value : value);
  }
  if (count_runners(pass_maze) == 0) {
    return failure("the maze holds no runner (3)");
  }
  return LoadResult{true, ""};
}

LoadResult load_maze(const std::string& path, Column* pass_maze) {
  std::ifstream fin(path);
  if (!fin) {
    const int error = errno;
    return failure(path + ": cannot be opened: " + std::strerror(error));
  }
  LoadResult result{false, ""};
  try {
    result = read_maze(fin, pass_maze);
  } catch (const std::ios_base::failure& e) {
    // The file buffer throws when the system fails a read, as it does for
    // a directory.
    return failure(path + ": cannot be read: " + e.code().message());
  }
  if (!result.ok) result.error = path + ": " + result.error;
  return result;
}
