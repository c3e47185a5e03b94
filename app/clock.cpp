#include "app/clock.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>

std::uint32_t tick_count() { return GetTickCount(); }

#else
#include <chrono>

std::uint32_t tick_count() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}
#endif
