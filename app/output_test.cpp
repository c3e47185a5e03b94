#include "app/output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ostream>
#include <string>
#include <thread>

namespace {

std::string text_of(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; text.size() < size; ++i) {
    text += std::to_string(i) + (i % 31 == 0 ? "\n" : " ");
  }
  text.resize(size);
  return text;
}

TEST(FdOutputTest, FailuresSayWhy) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  const int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  const int closed = fds[1];
  ASSERT_EQ(close(closed), 0);
  const struct {
    int fd;
    int why;
  } cases[] = {{full, ENOSPC}, {closed, EBADF}};
  for (const auto& c : cases) {
    FdOutput buffer(c.fd);
    std::ostream out(&buffer);
    EXPECT_EQ(buffer.error(), "");
    out << "a line\n";
    EXPECT_TRUE(out) << "a short line waits in the buffer";
    out.flush();
    EXPECT_FALSE(out);
    EXPECT_EQ(buffer.error(), std::strerror(c.why));
  }
  close(full);
}

// A reader slower than the writer, on a pipe left non-blocking: every byte
// arrives, in order, and nothing counts as a failure.
TEST(FdOutputTest, WaitsForASlowReaderOnANonBlockingPipe) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, fcntl(fds[1], F_GETFL) | O_NONBLOCK), 0);
  const std::string text = text_of(1 << 20);
  std::string received;
  std::thread reader([&] {
    char chunk[4096];
    ssize_t got = 0;
    while ((got = read(fds[0], chunk, sizeof(chunk))) > 0) {
      received.append(chunk, static_cast<std::size_t>(got));
      if (received.size() < (1u << 16)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
  });
  {
    FdOutput buffer(fds[1]);
    std::ostream out(&buffer);
    // Pieces of a frame's size and a few large ones, as a run writes.
    std::size_t at = 0;
    for (std::size_t piece = 930; at < text.size(); piece = piece * 7 % 20011) {
      const std::size_t n = std::min(piece + 1, text.size() - at);
      out.write(text.data() + at, static_cast<std::streamsize>(n));
      at += n;
    }
    out.flush();
    EXPECT_TRUE(out);
    EXPECT_EQ(buffer.error(), "");
  }
  close(fds[1]);
  reader.join();
  close(fds[0]);
  EXPECT_TRUE(received == text);
}

}  // namespace
