#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>
#include <system_error>

#include "app/streams.h"

// The C runtime turns "\r\n" into "\n" and back on a descriptor in text
// mode, as a console program's standard streams are. The system's error
// code is cleared first, so that a failure the runtime finds by itself (a
// closed descriptor) is not blamed on an older one.
long read_some(int fd, char* data, std::size_t size) {
  SetLastError(0);
  return _read(fd, data, static_cast<unsigned>(size));
}

long write_some(int fd, const char* data, std::size_t size) {
  SetLastError(0);
  return _write(fd, data, static_cast<unsigned>(size));
}

// The system's own error code says why, where the C runtime's errno is
// often a guess; but for a failure the runtime found by itself.
std::string failure_reason() {
  const DWORD code = GetLastError();
  std::string reason =
      code == 0 ? std::strerror(errno)
                : std::system_category().message(static_cast<int>(code));
  // "The pipe is being closed.\r\n" would end a line of ours without its
  // stop.
  reason.erase(reason.find_last_not_of(" .\r\n") + 1);
  return reason;
}
