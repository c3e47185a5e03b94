#include "app/examples.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Where the example mazes are, from the program's folder: beside it in the
// Windows ZIP, in the source tree for a build folder inside it, and in
// share/doc/maze of an install or of the package (whose program is in
// /usr/games).
const char* const kFolders[] = {"examples", "../examples",
                                "../share/doc/maze/examples"};
constexpr char kExample[] = "dead-end.txt";

#ifdef _WIN32

// The program's own file, or an empty path when the system does not say.
// The wide name is the name itself; a narrow one is already a guess in the
// ANSI code page.
fs::path own_file() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(name.size());
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), size);
    if (length == 0) return fs::path();
    if (length < size) return fs::path(name.substr(0, length));
    if (size >= 32768) return fs::path();  // longer than any path
    name.resize(2 * name.size());
  }
}

// `text` in the code page `page`, or "" when the page cannot hold it: a
// character it lacks comes out as '?' or as a look-alike, and does not read
// back as itself.
std::string in_code_page(const std::wstring& text, UINT page) {
  const int wide = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(page, 0, text.data(), wide, nullptr, 0,
                                       nullptr, nullptr);
  if (size <= 0) return "";
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(page, 0, text.data(), wide, bytes.data(), size, nullptr,
                      nullptr);
  std::wstring back(text.size() + 1, L'\0');
  const int read =
      MultiByteToWideChar(page, 0, bytes.data(), size, back.data(), wide + 1);
  return read == wide && back.compare(0, text.size(), text) == 0 ? bytes : "";
}

// The command that copies `example` to maze.txt, in the bytes that show it:
// the console's own code page on a console, and the ANSI code page, as
// other narrow output, elsewhere. "" when the command cannot be given: a
// character the code page lacks; a '%', which cmd expands even between
// quotes, or a '!', which it expands there too under cmd /v:on; or a path
// as long as MAX_PATH, which cmd refuses ("File name is too long").
std::string copy_command(const fs::path& example) {
  const std::wstring path = example.wstring();
  if (path.find_first_of(L"%!") != std::wstring::npos ||
      path.size() >= MAX_PATH) {
    return "";
  }
  DWORD mode = 0;
  const bool console = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
  const std::string shown =
      in_code_page(path, console ? GetConsoleOutputCP() : GetACP());
  return shown.empty() ? "" : "copy \"" + shown + "\" maze.txt";
}

// Whether maze.txt could be made in the working folder. Windows has no
// cheap answer, as its folders' permissions live in access lists.
bool working_folder_takes_files() { return true; }

#else

fs::path own_file() {
  std::error_code error;
  const fs::path name = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : name;
}

// `word` as a shell reads it back exactly, in printable ASCII alone, so that
// it shows and pastes the same on any terminal: bare when no shell treats
// any of its characters specially; in single quotes when all are printable
// ASCII; and otherwise as $'...', which bash, zsh and ksh read, with every
// other byte an octal escape, and so too the quote, the backslash and '!'
// (which bash's history would take).
std::string shell_word(const std::string& word) {
  if (!word.empty() && word.find_first_not_of(
                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                           "VWXYZ0123456789/._+-,:@%=") == std::string::npos) {
    return word;
  }
  const auto printable = [](char ch) { return ch >= ' ' && ch <= '~'; };
  if (std::all_of(word.begin(), word.end(), printable)) {
    std::string quoted = "'";
    for (const char ch : word)
      quoted += ch == '\'' ? "'\\''" : std::string(1, ch);
    return quoted + "'";
  }
  std::string quoted = "$'";
  for (const char ch : word) {
    const auto byte = static_cast<unsigned char>(ch);
    if (printable(ch) && std::strchr("'\\!", ch) == nullptr) {
      quoted += ch;
    } else {
      quoted += {'\\', static_cast<char>('0' + (byte >> 6)),
                 static_cast<char>('0' + ((byte >> 3) & 7)),
                 static_cast<char>('0' + (byte & 7))};
    }
  }
  return quoted + "'";
}

// The command that copies `example` to maze.txt, ready to paste.
std::string copy_command(const fs::path& example) {
  return "cp " + shell_word(example.string()) + " maze.txt";
}

bool working_folder_takes_files() { return access(".", W_OK) == 0; }

#endif

}  // namespace

std::string maze_file_hint() {
  // Where maze.txt cannot be made, a command to make it would only fail.
  const bool here = working_folder_takes_files();
  const std::string where = here ? "" : " in a folder of your own";
  std::string how =
      "write maze.txt" + where + " as \"man maze\" or README.md describes";
  const fs::path folder = own_file().parent_path();
  for (const char* examples : kFolders) {
    const fs::path example = (folder / examples / kExample).lexically_normal();
    std::error_code error;
    if (folder.empty() || !fs::is_regular_file(example, error)) continue;
    const std::string command = here ? copy_command(example) : "";
    how = command.empty() ? "copy one of the example mazes that came with "
                            "the program to maze.txt" +
                                where
                          : "copy an example to maze.txt (" + command + ")";
    break;
  }
  return "to play a maze file, " + how + ", or answer 1 for a random maze";
}
