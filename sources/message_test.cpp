#include "sources/message.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MessageTest, QuotedShowsEveryByteOnOnePrintableLine) {
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"", R"("")"},
      {"3abc", R"("3abc")"},
      {"other file.txt", R"("other file.txt")"},
      {R"("1")", R"("\"1\"")"},
      {R"(\xFF)", R"("\\xFF")"},
      {"\xFF", R"("\xFF")"},
      {std::string("a\0b\n\t\x7F", 6), R"("a\x00b\x0A\x09\x7F")"},
      {"\xC3\xA9", R"("\xC3\xA9")"},
  };
  for (const auto& c : cases) EXPECT_EQ(quoted(c.text), c.shown) << c.shown;
}

}  // namespace
