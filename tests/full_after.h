// An output that fills up, for tests of what a run does when its output
// cannot be written.
#ifndef MAZE_TESTS_FULL_AFTER_H_
#define MAZE_TESTS_FULL_AFTER_H_

#include <cstddef>
#include <ios>
#include <streambuf>
#include <string>

// Keeps the first `room` characters written to it, then fails every write.
class FullAfter : public std::streambuf {
 public:
  explicit FullAfter(std::size_t room) : room_(room) {}
  const std::string& taken() const { return taken_; }

 protected:
  int_type overflow(int_type ch) override {
    if (taken_.size() >= room_) return traits_type::eof();
    taken_ += traits_type::to_char_type(ch);
    return ch;
  }
  std::streamsize xsputn(const char* text, std::streamsize n) override {
    std::streamsize i = 0;
    while (i < n &&
           overflow(traits_type::to_int_type(text[i])) != traits_type::eof()) {
      ++i;
    }
    return i;
  }

 private:
  std::size_t room_;
  std::string taken_;
};

#endif  // MAZE_TESTS_FULL_AFTER_H_
