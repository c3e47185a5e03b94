#include "sources/load_maze.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ios>
#include <istream>
#include <streambuf>
#include <string>
#include <system_error>

#include "grid/grid.h"
#include "sources/message.h"

namespace {

constexpr int kEof = std::char_traits<char>::eof();

// A token this long or shorter is shown whole in a message; a longer one by
// this many bytes at each end.
constexpr std::size_t kShownWhole = 24;
constexpr std::size_t kShownEnd = 12;
// How far the end of a token, or of the blanks before one, is looked for,
// so that a file that never ends (a device or a pipe, say) cannot hold the
// reader up.
constexpr std::int64_t kLongestSought = 1 << 20;

// The blanks that formatted extraction skips.
bool is_blank(int ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' ||
         ch == '\r';
}

bool is_digit(int ch) { return ch >= '0' && ch <= '9'; }

// The reader's place in the file: the byte at hand, and its line and column,
// counted from 1 as editors count them. Columns count bytes, a tab one.
class Cursor {
 public:
  explicit Cursor(std::streambuf* in) : in_(in) {}
  int at() const { return in_->sgetc(); }
  std::int64_t line() const { return line_; }
  std::int64_t column() const { return column_; }

  // Moves on to the next byte and returns it. LF, CR and CR LF each end a
  // line, as Unix, old Mac and Windows files end theirs.
  int next() {
    const int ch = in_->sgetc();
    if (ch == '\r' || (ch == '\n' && !after_cr_)) {
      ++line_;
      column_ = 1;
    } else if (ch != '\n') {
      ++column_;
    }
    after_cr_ = ch == '\r';
    return in_->snextc();
  }

  // Moves on without counting: the bytes before the text do not show in an
  // editor.
  int next_unseen() { return in_->snextc(); }

 private:
  std::streambuf* const in_;
  std::int64_t line_ = 1;
  std::int64_t column_ = 1;
  bool after_cr_ = false;
};

// The text of a token as a message shows it: whole when short; otherwise
// its start and its end, each quoted, with "..." between them outside the
// quotes, where the token's own text can never put it.
class TokenText {
 public:
  std::int64_t length() const { return length_; }
  void add(int ch) {
    ++length_;
    if (whole_.size() < kShownWhole) {
      whole_ += static_cast<char>(ch);
      return;
    }
    tail_ += static_cast<char>(ch);
    if (tail_.size() > 2 * kShownEnd) tail_.erase(0, tail_.size() - kShownEnd);
  }

  // A number needs no quotes: its text is a sign and digits.
  std::string shown(bool as_number, bool ended = true) const {
    const auto show = [as_number](const std::string& text) {
      return as_number ? text : quoted(text);
    };
    if (length_ <= static_cast<std::int64_t>(kShownWhole)) return show(whole_);
    const std::string start = show(whole_.substr(0, kShownEnd));
    if (!ended) {
      return start + "... (more than " + std::to_string(length_) + " bytes)";
    }
    const std::string all = whole_ + tail_;
    return start + "..." + show(all.substr(all.size() - kShownEnd)) + " (" +
           std::to_string(length_) + " bytes)";
  }

 private:
  std::string whole_;
  std::string tail_;  // holds at least the last kShownEnd bytes
  std::int64_t length_ = 0;
};

std::string cell_of(int index) {
  const Position p = position_at(index);
  return "row " + std::to_string(p.row) + ", column " + std::to_string(p.col) +
         " of the maze";
}

// A mistake that has no place in the file called `name`.
LoadResult failure(const std::string& name, const std::string& what) {
  return LoadResult{false,
                    std::string(kProgramName) + ": " + name + ": " + what};
}

// A mistake at `line` and `column` of the file called `name`.
LoadResult failure_at(const std::string& name, std::int64_t line,
                      std::int64_t column, const std::string& what) {
  return LoadResult{false, name + ":" + std::to_string(line) + ":" +
                               std::to_string(column) + ": " + what};
}

// The token that starts at `line` and `column`, with `text` read of it so
// far and the rest at the cursor, is no number. Consumes the token.
LoadResult not_an_integer(const std::string& name, int index, Cursor* at,
                          std::int64_t line, std::int64_t column,
                          TokenText text) {
  std::int64_t sought = 0;
  int ch = at->at();
  while (ch != kEof && !is_blank(ch) && sought < kLongestSought) {
    text.add(ch);
    ch = at->next();
    ++sought;
  }
  const bool ended = ch == kEof || is_blank(ch);
  return failure_at(name, line, column,
                    "expected an integer, found " + text.shown(false, ended) +
                        " (" + cell_of(index) + ")");
}

// Passes over a UTF-8 byte-order mark at the start of the file, as Windows
// editors write one. Returns false, with the bytes read in `text`, when the
// file starts with part of one only: that is no number either.
bool skip_byte_order_mark(Cursor* at, TokenText* text) {
  static const int kMark[] = {0xEF, 0xBB, 0xBF};
  for (const int byte : kMark) {
    if (at->at() != byte) return byte == kMark[0];
    text->add(byte);
    at->next_unseen();
  }
  *text = TokenText();
  return true;
}

}  // namespace

LoadResult read_maze(std::istream& fin, const std::string& name,
                     Column* pass_maze) {
  std::streambuf* in = fin.rdbuf();
  if (in == nullptr) return failure(name, "nothing to read");
  Cursor at(in);
  TokenText mark;
  if (!skip_byte_order_mark(&at, &mark)) {
    return not_an_integer(name, 0, &at, 1, 1, mark);
  }
  for (int i = 0; i < kCells; ++i) {
    int ch = at.at();
    const std::int64_t blank_line = at.line();
    const std::int64_t blank_column = at.column();
    for (std::int64_t blanks = 0; is_blank(ch); ++blanks) {
      if (blanks == kLongestSought) {
        return failure_at(name, blank_line, blank_column,
                          "expected an integer, found more than " +
                              std::to_string(kLongestSought) +
                              " bytes of blanks (" + cell_of(i) + ")");
      }
      ch = at.next();
    }
    if (ch == kEof) {
      return failure_at(name, at.line(), at.column(),
                        "the file ends after " + std::to_string(i) + " of " +
                            std::to_string(kCells) + " numbers (" + cell_of(i) +
                            " is missing)");
    }
    const std::int64_t line = at.line();
    const std::int64_t column = at.column();
    TokenText text;
    const bool negative = ch == '-';
    if (ch == '-' || ch == '+') {
      text.add(ch);
      ch = at.next();
    }
    if (!is_digit(ch)) return not_an_integer(name, i, &at, line, column, text);
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    bool fits = true;
    for (; is_digit(ch); ch = at.next()) {
      if (text.length() == kLongestSought) {
        return failure_at(name, line, column,
                          text.shown(true, false) +
                              " is too long for a number (" + cell_of(i) + ")");
      }
      text.add(ch);
      value = value * 10 + (ch - '0');
      if (value > limit) {
        fits = false;
        value = limit;  // keeps reading the digits without overflow
      }
    }
    // A number ends at a blank: "0-2" is a typo, not the numbers 0 and -2.
    // Whatever follows the last number is never read.
    if (i + 1 < kCells && ch != kEof && !is_blank(ch)) {
      return not_an_integer(name, i, &at, line, column, text);
    }
    if (!fits) {
      return failure_at(name, line, column,
                        text.shown(true) +
                            " does not fit a 32-bit signed integer (" +
                            cell_of(i) + ")");
    }
    const Position p = position_at(i);
    pass_maze[p.col][p.row] =
        static_cast<std::int32_t>(negative ? -value : value);
  }
  if (count_runners(pass_maze) == 0) {
    return failure(name, "the maze holds no runner (3)");
  }
  return LoadResult{true, ""};
}

LoadResult load_maze(const std::string& path, Column* pass_maze) {
  // In binary mode, so that every system reads the same bytes: a text mode
  // may end the file at a Ctrl-Z byte, and a CR is a blank anyway.
  std::ifstream fin(path, std::ios::binary);
  if (!fin) {
    const int error = errno;
    // A link that leads nowhere is named as such: "No such file" would send
    // the user to make a file by a name that is taken.
    std::error_code not_a_link;
    const std::filesystem::path target =
        error == ENOENT ? std::filesystem::read_symlink(path, not_a_link)
                        : std::filesystem::path();
    if (!target.empty()) {
      return failure(path, "a link to " + quoted(target.string()) +
                               ", which leads to no file");
    }
    return failure(path, std::strerror(error));
  }
  try {
    return read_maze(fin, path, pass_maze);
  } catch (const std::ios_base::failure& e) {
    // The file buffer throws when the system fails a read, as it does for
    // a directory.
    return failure(path, e.code().message());
  }
}
