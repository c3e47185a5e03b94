// Fuzz target: arbitrary bytes as the content of a maze file. When the
// reader takes them, the run is solved and rendered into a sink that checks
// every frame as it arrives, and the whole run is checked against the rules
// every run must keep. A broken rule aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ios>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "display/frame.h"
#include "grid/grid.h"
#include "solver/ending.h"
#include "solver/solver.h"
#include "sources/load_maze.h"

namespace {

void require(bool holds, const char* rule) {
  if (!holds) {
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
  }
}

bool is_glyph(char ch) {
  for (std::int32_t code = kOpen; code <= kDead; ++code) {
    if (ch == glyph_of(code)) return true;
  }
  return false;
}

// Whether `ch` is the glyph of a code a move writes: 3 to 6.
bool is_written(char ch) {
  for (std::int32_t code = kRunner; code <= kDead; ++code) {
    if (ch == glyph_of(code)) return true;
  }
  return false;
}

// Takes the frames as they come and keeps only the current and the
// previous frame, and the text after the last frame.
class FrameChecker : public std::streambuf {
 public:
  explicit FrameChecker(int runners) : runners_(runners) {}

  int frames() const { return frames_; }
  const std::string& tail() const { return tail_; }
  const char* last_frame() const { return previous_; }

 protected:
  int_type overflow(int_type ch) override {
    if (ch != traits_type::eof()) take(static_cast<char>(ch));
    return traits_type::not_eof(ch);
  }
  std::streamsize xsputn(const char* text, std::streamsize n) override {
    if (at_ == 0 && tail_.empty() && n == kFrameLength && is_glyph(*text)) {
      std::memcpy(current_, text, kFrameLength);  // a whole frame at once
      end_frame();
      return n;
    }
    for (std::streamsize i = 0; i < n; ++i) take(text[i]);
    return n;
  }

 private:
  void take(char ch) {
    if (!tail_.empty() || (at_ == 0 && !is_glyph(ch))) {
      // An ending starts with '\n' or 'E', which no glyph is, so it cannot
      // be mistaken for the start of a frame.
      require(tail_.size() < 100, "the text after the frames is short");
      tail_ += ch;
      return;
    }
    current_[at_++] = ch;
    if (at_ == kFrameLength) end_frame();
  }

  void end_frame() {
    int runners = 0;
    int changed = 0;
    for (int i = 0; i < kFrameLength; ++i) {
      const char ch = current_[i];
      require(i % kLineLength == kSize ? ch == '\n' : is_glyph(ch),
              "a frame is 30 lines of 30 glyphs");
      if (ch == glyph_of(kRunner)) ++runners;
      if (frames_ == 0 || ch == previous_[i]) continue;
      ++changed;
      require(
          previous_[i] != glyph_of(kWall) && previous_[i] != glyph_of(kCheese),
          "walls and cheese cells are never written");
      require(is_written(ch), "only the codes 3 to 6 are written");
    }
    require(runners == runners_, "the number of runners never changes");
    require(frames_ == 0 || changed == 2, "a move changes two cells");
    std::memcpy(previous_, current_, kFrameLength);
    ++frames_;
    at_ = 0;
  }

  const int runners_;
  char current_[kFrameLength] = {};
  char previous_[kFrameLength] = {};
  int at_ = 0;
  int frames_ = 0;
  std::string tail_;
};

// Each open cell can still take three moves, a walked cell two and a
// backtracked cell one, and every move uses one up.
int moves_left(const Column* maze) {
  int weight = 0;
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const std::int32_t code = maze[c][r];
      if (code == kOpen) weight += 3;
      if (code == kWalked) weight += 2;
      if (code == kBacktracked) weight += 1;
    }
  }
  return weight;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::istringstream fin(
      std::string(reinterpret_cast<const char*>(data), size));
  Column maze[kSize];
  // The reader refuses a maze without a runner, which the solver requires.
  if (!read_maze(fin, "maze.txt", maze).ok) return 0;

  Column start[kSize];
  std::memcpy(start, maze, sizeof(start));
  FrameChecker checker(count_runners(maze));
  std::ostream out(&checker);
  const Outcome outcome = solve_maze(maze, out);

  // Every frame after the first shows a move. The printed total counts steps
  // of the modes instead, which include steps that found no move.
  const int moves = checker.frames() - 1;
  require(outcome.frames == checker.frames(), "one frame per move, and one");
  require(moves <= 2700 && moves <= moves_left(start),
          "a run moves the runner at most 2700 times");
  require(count_runners(maze) == count_runners(start),
          "the number of runners never changes");
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const std::int32_t was = start[c][r];
      const std::int32_t now = maze[c][r];
      if (was == kWall || was == kCheese) require(now == was, "walls stay");
      if (now != was) require(now >= kRunner && now <= kDead, "codes 3 to 6");
    }
  }
  Frame final_frame;
  build_frame(maze, &final_frame);
  require(
      std::memcmp(final_frame.text, checker.last_frame(), kFrameLength) == 0,
      "the last frame shows the grid as it ends");

  require(outcome.ending != Ending::kOutputFailed,
          "the checker takes every frame");
  require(outcome.ending != Ending::kLimit ||
              outcome.counters.total() >= kStepLimit,
          "the limit ending comes at the limit or past it");
  std::ostringstream ending;
  print_ending(outcome.ending, outcome.counters.total(), ending);
  require(checker.tail() == ending.str(),
          "the ending, with the step total, follows the last frame");
  return 0;
}
