#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#include "app/pause.h"
#include "app/place.h"
#include "app/streams.h"

namespace fs = std::filesystem;

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

// The wide name is the name itself; a narrow one is already a guess in the
// ANSI code page. A name as long as MAX_PATH is cut short, and of no use:
// cmd takes no longer path.
fs::path own_file() {
  wchar_t name[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  return length > 0 && length < MAX_PATH ? fs::path(name) : fs::path();
}

// Windows keeps a folder's permissions in access lists and has no cheap
// answer, and a folder in use cannot be removed.
bool working_folder_takes_files() { return true; }

// In the bytes that show the command: the console's own code page on a
// console, and the ANSI code page, as other narrow output, elsewhere. No
// command for a character the code page lacks, which would come out as '?'
// or a look-alike and not read back as itself; for a '%', which cmd
// expands even between quotes, or a '!', which it expands there too under
// cmd /v:on; or for a path as long as MAX_PATH, which cmd refuses.
std::string copy_command(const fs::path& example) {
  const std::wstring path = example.wstring();
  if (path.size() >= MAX_PATH || path.find_first_of(L"%!") != path.npos)
    return "";
  DWORD mode = 0;
  const UINT page = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode)
                        ? GetConsoleOutputCP()
                        : GetACP();
  const int wide = static_cast<int>(path.size());
  char bytes[4 * MAX_PATH];
  const int size = WideCharToMultiByte(page, 0, path.data(), wide, bytes,
                                       sizeof(bytes), nullptr, nullptr);
  wchar_t back[MAX_PATH];
  const int read = MultiByteToWideChar(page, 0, bytes, size, back, MAX_PATH);
  if (size <= 0 || std::wstring(back, read > 0 ? read : 0) != path) return "";
  return "copy \"" + std::string(bytes, size) + "\" maze.txt";
}

void console_pause(std::ostream& out) {
  if (!out.flush()) return;
  // The command interpreter writes its prompt itself, straight to the
  // console, and reads the key from there.
  std::system("pause");
}
