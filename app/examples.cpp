#include "app/examples.h"

#include <filesystem>
#include <fstream>
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

// The program's own file, or an empty path when the system does not say.
fs::path own_file() {
#ifdef _WIN32
  char name[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
  return length > 0 && length < MAX_PATH ? fs::path(std::string(name, length))
                                         : fs::path();
#else
  std::error_code error;
  const fs::path name = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : name;
#endif
}

// The command that copies `example` to maze.txt, ready to paste.
std::string copy_command(const fs::path& example) {
#ifdef _WIN32
  return "copy \"" + example.string() + "\" maze.txt";
#else
  std::string word = example.string();
  if (word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTU"
                             "VWXYZ0123456789/._+-,:@%=") !=
      std::string::npos) {
    std::string quoted_word = "'";
    for (const char ch : word)
      quoted_word += ch == '\'' ? "'\\''" : std::string(1, ch);
    word = quoted_word + "'";
  }
  return "cp " + word + " maze.txt";
#endif
}

}  // namespace

std::string maze_file_hint() {
  const fs::path folder = own_file().parent_path();
  for (const char* examples : kFolders) {
    const fs::path example = (folder / examples / kExample).lexically_normal();
    if (!folder.empty() && std::ifstream(example).good()) {
      return "to play a maze file, copy an example to maze.txt (" +
             copy_command(example) + "), or answer 1 for a random maze";
    }
  }
  return "to play a maze file, write maze.txt as \"man maze\" or README.md "
         "describes, or answer 1 for a random maze";
}
