#include "app/fd_streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ios>
#include <istream>
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

void write_text(int fd, const std::string& text) {
  ASSERT_EQ(write(fd, text.data(), text.size()),
            static_cast<ssize_t>(text.size()));
}

// The menu's answer arrives late, in pieces: on a pipe left non-blocking,
// and on one whose reader a signal interrupts, the answer is waited for and
// read as a whole number, with the character after it left to read.
TEST(FdInputTest, WaitsForAnAnswerThatArrivesLate) {
  struct sigaction action = {};
  action.sa_handler = [](int) {};  // no SA_RESTART: read() fails with EINTR
  ASSERT_EQ(sigaction(SIGUSR2, &action, nullptr), 0);
  for (const bool nonblocking : {true, false}) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    if (nonblocking) {
      ASSERT_EQ(fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK), 0);
    }
    const pthread_t reader = pthread_self();
    std::thread writer([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      pthread_kill(reader, SIGUSR2);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      write_text(fds[1], " \n 1");
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      write_text(fds[1], "2x");
      close(fds[1]);
    });
    FdInput buffer(fds[0]);
    std::istream in(&buffer);
    int answer = 0;
    in >> answer;
    EXPECT_EQ(answer, 12) << nonblocking;
    EXPECT_EQ(in.get(), 'x') << nonblocking;
    EXPECT_EQ(in.get(), std::istream::traits_type::eof()) << nonblocking;
    writer.join();
    EXPECT_EQ(fcntl(fds[0], F_GETFL) & O_NONBLOCK,
              nonblocking ? O_NONBLOCK : 0);
    close(fds[0]);
  }
  signal(SIGUSR2, SIG_DFL);
}

}  // namespace
