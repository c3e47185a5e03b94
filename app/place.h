// What the hint for a missing maze.txt asks of the system: where the
// program is, whether maze.txt could be made in the working folder, and
// the command that copies an example there. app/system_posix.cpp and
// app/system_windows.cpp hold them for each system.
#ifndef MAZE_APP_PLACE_H_
#define MAZE_APP_PLACE_H_

#include <filesystem>
#include <string>

// The program's own file, or an empty path when the system does not say.
std::filesystem::path own_file();

// Whether maze.txt could be made in the working folder: it is still there,
// and (on POSIX systems) the user may write in it.
bool working_folder_takes_files();

// The command that copies `example` to maze.txt, one line that pastes back
// exactly: into bash, zsh or ksh, in printable ASCII; into cmd, in the code
// page it shows in. "" where cmd could not be given the path.
std::string copy_command(const std::filesystem::path& example);

#endif  // MAZE_APP_PLACE_H_
