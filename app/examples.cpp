#include "app/examples.h"

#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
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
// character the code page lacks, or a '%', which cmd expands even between
// quotes.
std::string copy_command(const fs::path& example) {
  const std::wstring path = example.wstring();
  if (path.find(L'%') != std::wstring::npos) return "";
  DWORD mode = 0;
  const bool console = GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode);
  const std::string shown =
      in_code_page(path, console ? GetConsoleOutputCP() : GetACP());
  return shown.empty() ? "" : "copy \"" + shown + "\" maze.txt";
}

#else

fs::path own_file() {
  std::error_code error;
  const fs::path name = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : name;
}

// The length of the character at `at` when it prints as itself on a UTF-8
// terminal, or 0: a control byte, a byte that is not UTF-8, or a character
// that shows nothing or changes how the rest of the line shows.
std::size_t printable_at(const std::string& text, std::size_t at) {
  const auto byte = [&text](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  const unsigned first = byte(at);
  if (first >= 0x20 && first < 0x7f) return 1;
  const std::size_t length = first >= 0xc2 && first < 0xe0   ? 2
                             : first >= 0xe0 && first < 0xf0 ? 3
                             : first >= 0xf0 && first < 0xf5 ? 4
                                                             : 0;
  if (length == 0 || at + length > text.size()) return 0;
  char32_t code = first & (0x7fu >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xc0) != 0x80) return 0;
    code = code << 6 | (byte(at + i) & 0x3fu);
  }
  static const char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10ffff ||
      (code >= 0xd800 && code < 0xe000)) {
    return 0;  // too long a form, beyond Unicode, or half a pair
  }
  static const struct {
    char32_t first;
    char32_t last;
  } kUnseen[] = {
      {0x80, 0x9f},       // controls
      {0xad, 0xad},       // soft hyphen
      {0x61c, 0x61c},     // Arabic letter mark
      {0x180e, 0x180e},   // Mongolian vowel separator
      {0x200b, 0x200f},   // zero widths, direction marks
      {0x2028, 0x202e},   // line and paragraph separators, embeddings
      {0x2060, 0x206f},   // word joiner, invisible operators, isolates
      {0xfeff, 0xfeff},   // zero-width no-break space
      {0xfff9, 0xfffb},   // annotations
      {0xe0000, 0xe007f}  // tags
  };
  for (const auto& range : kUnseen) {
    if (code >= range.first && code <= range.last) return 0;
  }
  return length;
}

// `word` as a shell reads it back exactly, on one line of printable text:
// bare when it holds only characters that no shell treats specially; in
// single quotes when every character prints; and otherwise as $'...', which
// bash, zsh and ksh read, with every other byte an octal escape.
std::string shell_word(const std::string& word) {
  if (!word.empty() && word.find_first_not_of(
                           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                           "VWXYZ0123456789/._+-,:@%=") == std::string::npos) {
    return word;
  }
  bool prints = true;
  for (std::size_t i = 0, n = 0; prints && i < word.size(); i += n) {
    n = printable_at(word, i);
    prints = n > 0;
  }
  std::string quoted = prints ? "'" : "$'";
  for (std::size_t i = 0; i < word.size();) {
    const std::size_t n = printable_at(word, i);
    if (prints) {
      quoted += word[i] == '\'' ? std::string("'\\''") : word.substr(i, n);
    } else if (n == 0 || word[i] == '!') {  // '!': bash's history, too
      const auto byte = static_cast<unsigned char>(word[i]);
      quoted += {'\\', static_cast<char>('0' + (byte >> 6)),
                 static_cast<char>('0' + ((byte >> 3) & 7)),
                 static_cast<char>('0' + (byte & 7))};
    } else {
      if (word[i] == '\'' || word[i] == '\\') quoted += '\\';
      quoted += word.substr(i, n);
    }
    i += n == 0 ? 1 : n;
  }
  return quoted + "'";
}

// The command that copies `example` to maze.txt, ready to paste.
std::string copy_command(const fs::path& example) {
  return "cp " + shell_word(example.string()) + " maze.txt";
}

#endif

}  // namespace

std::string maze_file_hint() {
  std::string how = "write maze.txt as \"man maze\" or README.md describes";
  const fs::path folder = own_file().parent_path();
  for (const char* examples : kFolders) {
    const fs::path example = (folder / examples / kExample).lexically_normal();
    std::error_code error;
    if (folder.empty() || !fs::is_regular_file(example, error)) continue;
    const std::string command = copy_command(example);
    how = command.empty() ? "copy one of the example mazes that came with "
                            "the program to maze.txt"
                          : "copy an example to maze.txt (" + command + ")";
    break;
  }
  return "to play a maze file, " + how + ", or answer 1 for a random maze";
}
