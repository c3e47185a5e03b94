#include "app/streams.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <ios>
#include <istream>
#include <ostream>
#include <string>
#include <thread>

namespace {

// A reader slower than the writer, on a pipe left non-blocking: every byte
// arrives, in order, and nothing counts as a failure.
TEST(FdStreamTest, WaitsForASlowReaderOnANonBlockingPipe) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, O_NONBLOCK), 0);
  std::string text(1 << 20, ' ');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = "0123456789 \n"[i * 7 % 12];
  }
  std::string received;
  std::thread reader([&] {
    char chunk[4096];
    for (ssize_t got = 0; (got = read(fds[0], chunk, sizeof(chunk))) > 0;) {
      received.append(chunk, static_cast<std::size_t>(got));
      if (received.size() < (1u << 16)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
  });
  {
    FdStream buffer(fds[1]);
    std::ostream out(&buffer);
    // Pieces of a frame's size and a few large ones, as a run writes.
    for (std::size_t at = 0, piece = 931; at < text.size();
         at += piece, piece = piece * 7 % 20011 + 1) {
      out.write(text.data() + at, static_cast<std::streamsize>(
                                      std::min(piece, text.size() - at)));
    }
    EXPECT_TRUE(out.flush());
    EXPECT_EQ(buffer.error(), "");
  }
  close(fds[1]);
  reader.join();
  close(fds[0]);
  EXPECT_TRUE(received == text);
}

// The menu's answer arrives late, in pieces: on a pipe left non-blocking,
// and on one whose reader a signal interrupts, the answer is waited for and
// read as a whole number, with the character after it left to read.
TEST(FdStreamTest, WaitsForAnAnswerThatArrivesLate) {
  struct sigaction action = {};
  action.sa_handler = [](int) {};  // no SA_RESTART: read() fails with EINTR
  ASSERT_EQ(sigaction(SIGUSR2, &action, nullptr), 0);
  for (const int flags : {O_NONBLOCK, 0}) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(fcntl(fds[0], F_SETFL, flags), 0);
    const pthread_t reader = pthread_self();
    std::thread writer([&] {
      for (const std::string piece : {"", " \n 1", "2x"}) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (piece.empty()) pthread_kill(reader, SIGUSR2);
        EXPECT_EQ(write(fds[1], piece.data(), piece.size()),
                  static_cast<ssize_t>(piece.size()));
      }
      close(fds[1]);
    });
    FdStream buffer(fds[0]);
    std::istream in(&buffer);
    int answer = 0;
    in >> answer;
    EXPECT_EQ(answer, 12) << flags;
    EXPECT_EQ(in.get(), 'x') << flags;
    EXPECT_EQ(in.get(), std::istream::traits_type::eof()) << flags;
    writer.join();
    EXPECT_EQ(fcntl(fds[0], F_GETFL) & O_NONBLOCK, flags);
    close(fds[0]);
  }
  signal(SIGUSR2, SIG_DFL);
}

}  // namespace
