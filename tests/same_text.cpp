#include "tests/same_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <sstream>
#include <string>

#include "sources/message.h"

namespace {

constexpr long kAround = 2;  // lines shown before and after the first change

// Lines `first` to `last` (from 1) of `text`, numbered and quoted, so that
// blanks and line ends show.
std::string excerpt(const std::string& text, long first, long last) {
  std::ostringstream shown;
  std::istringstream lines(text);
  std::string line;
  for (long number = 1; number <= last && std::getline(lines, line); ++number) {
    if (number >= first)
      shown << "  " << number << ": " << quoted(line) << "\n";
  }
  return shown.str();
}

}  // namespace

testing::AssertionResult same_text(const std::string& got,
                                   const std::string& want) {
  if (got == want) return testing::AssertionSuccess();
  const std::size_t shorter = std::min(got.size(), want.size());
  std::size_t common = 0;
  while (common < shorter && got[common] == want[common]) ++common;
  const long line =
      1 +
      std::count(got.begin(), got.begin() + static_cast<long>(common), '\n');
  const std::size_t newline =
      common == 0 ? std::string::npos : got.rfind('\n', common - 1);
  const std::size_t column =
      common + 1 - (newline == std::string::npos ? 0 : newline + 1);
  return testing::AssertionFailure()
         << "the texts differ from line " << line << ", column " << column
         << " (" << got.size() << " bytes got, " << want.size()
         << " wanted)\ngot:\n"
         << excerpt(got, line - kAround, line + kAround) << "wanted:\n"
         << excerpt(want, line - kAround, line + kAround);
}
