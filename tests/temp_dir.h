// A temporary folder for tests.
#ifndef MAZE_TESTS_TEMP_DIR_H_
#define MAZE_TESTS_TEMP_DIR_H_

#include <string>

// A fresh folder of its own, removed with everything in it with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // Writes `text` to the file `name` in the folder; returns its path.
  std::string write(const std::string& name, const std::string& text) const;

 private:
  std::string path_;
};

// The whole content of a file, or "" when it cannot be read.
std::string read_file(const std::string& path);

#endif  // MAZE_TESTS_TEMP_DIR_H_
