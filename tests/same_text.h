// Long texts compared, such as the whole output of a run: a failure says
// where they part, not all of both.
#ifndef MAZE_TESTS_SAME_TEXT_H_
#define MAZE_TESTS_SAME_TEXT_H_

#include <gtest/gtest.h>

#include <string>

// Succeeds when `got` is `want`. Otherwise says at which line and column
// they first differ, shows the lines of both around it, quoted, and gives
// both sizes.
testing::AssertionResult same_text(const std::string& got,
                                   const std::string& want);

#endif  // MAZE_TESTS_SAME_TEXT_H_
