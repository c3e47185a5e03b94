#include "tests/cases.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "tests/temp_dir.h"

namespace fs = std::filesystem;

std::string source_path(const std::string& relative) {
  return std::string(MAZE_SOURCE_DIR) + "/" + relative;
}

std::vector<ExampleRow> readme_examples() {
  std::ifstream readme(source_path("README.md"));
  if (!readme) throw std::runtime_error("cannot read README.md");
  // | `dead-end.txt` | cannot be solved, 15 moves |
  const std::regex row(
      R"(\| `([^`]+)` \| (solved|cannot be solved|move limit exceeded)(, ([0-9]+) moves)?.*\|)");
  std::vector<ExampleRow> rows;
  bool in_table = false;
  std::string line;
  while (std::getline(readme, line)) {
    if (line == "| file | ending |") {
      in_table = true;
      continue;
    }
    if (!in_table || line.rfind("|---", 0) == 0) continue;
    if (line.empty() || line[0] != '|') break;
    std::smatch m;
    if (!std::regex_match(line, m, row)) {
      throw std::runtime_error("README's examples table: cannot read " + line);
    }
    const Ending ending = m[2] == "solved"             ? Ending::kSolved
                          : m[2] == "cannot be solved" ? Ending::kUnsolvable
                                                       : Ending::kLimit;
    rows.push_back(
        ExampleRow{m[1], ending, m[4].matched ? std::stoi(m[4]) : -1});
  }
  return rows;
}

std::vector<std::string> example_files() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(source_path("examples"))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<BadMaze> bad_mazes() {
  std::vector<BadMaze> mazes;
  for (const auto& entry :
       fs::directory_iterator(source_path("tests/bad_mazes"))) {
    if (entry.path().extension() != ".txt") continue;
    fs::path error = entry.path();
    error.replace_extension(".error");
    mazes.push_back(BadMaze{entry.path().stem().string(), entry.path().string(),
                            read_file(error.string())});
  }
  std::sort(mazes.begin(), mazes.end(),
            [](const BadMaze& a, const BadMaze& b) { return a.name < b.name; });
  return mazes;
}

std::vector<MenuAnswer> menu_answers() {
  std::ifstream list(source_path("tests/menu_answers.txt"));
  std::vector<MenuAnswer> answers;
  std::string line;
  while (std::getline(list, line)) {
    const std::size_t bar = line.find('|');
    if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
    answers.push_back(
        MenuAnswer{line.substr(bar + 1), line.substr(0, bar) == "file"});
  }
  return answers;
}
