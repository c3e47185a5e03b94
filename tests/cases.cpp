#include "tests/cases.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "solver/ending.h"
#include "tests/temp_dir.h"

namespace fs = std::filesystem;

void PrintTo(Ending ending, std::ostream* out) {
  const char* const kNames[] = {"solved", "cannot be solved", "limit",
                                "output failed"};
  *out << kNames[static_cast<int>(ending)];
}

std::string source_path(const std::string& relative) {
  return std::string(MAZE_SOURCE_DIR) + "/" + relative;
}

namespace {

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// The cells of a Markdown table's row, trimmed, with or without the bars at
// its ends: "| `a.txt` | b |" gives {"`a.txt`", "b"}.
std::vector<std::string> table_cells(std::string line) {
  line = trimmed(line);
  if (!line.empty() && line.front() == '|') line.erase(0, 1);
  if (!line.empty() && line.back() == '|') line.pop_back();
  std::vector<std::string> cells;
  std::istringstream row(line);
  std::string cell;
  while (std::getline(row, cell, '|')) cells.push_back(trimmed(cell));
  return cells;
}

bool is_alignment_row(const std::vector<std::string>& cells) {
  static const std::regex alignment(":?-+:?");
  return std::all_of(cells.begin(), cells.end(), [](const std::string& cell) {
    return std::regex_match(cell, alignment);
  });
}

}  // namespace

std::vector<ExampleRow> readme_examples() {
  std::ifstream readme(source_path("README.md"));
  if (!readme) throw std::runtime_error("cannot read README.md");
  // | `dead-end.txt` | cannot be solved, 15 moves |
  const std::regex file("`?([^`]+)`?");
  const std::regex ending(
      "(solved|cannot be solved|move limit exceeded)(, ([0-9]+) moves)?.*");
  const std::vector<std::string> header = {"file", "ending"};
  std::vector<ExampleRow> rows;
  bool in_table = false;
  std::string line;
  while (std::getline(readme, line)) {
    const std::vector<std::string> cells = table_cells(line);
    if (!in_table) {
      in_table = line.find('|') != std::string::npos && cells == header;
      continue;
    }
    if (line.find('|') == std::string::npos) break;
    if (is_alignment_row(cells)) continue;
    std::smatch f;
    std::smatch e;
    if (cells.size() != 2 || !std::regex_match(cells[0], f, file) ||
        !std::regex_match(cells[1], e, ending)) {
      throw std::runtime_error("README's examples table: cannot read " + line);
    }
    const Ending kind = e[1] == "solved"             ? Ending::kSolved
                        : e[1] == "cannot be solved" ? Ending::kUnsolvable
                                                     : Ending::kLimit;
    rows.push_back(ExampleRow{f[1], kind, e[3].matched ? std::stoi(e[3]) : -1});
  }
  return rows;
}

ReadmeFrame readme_frame() {
  const std::string readme = read_file(source_path("README.md"));
  // ... the top of the last frame of `NAME`:, then a block of its lines.
  static const std::regex frame(
      "last frame of\\s+`([^`]+)`:\\s*\n```\n((?:[^`\n]*\n)*)```");
  std::smatch m;
  if (!std::regex_search(readme, m, frame)) {
    throw std::runtime_error("README.md shows no frame");
  }
  return ReadmeFrame{m[1], m[2]};
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
