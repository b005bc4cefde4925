#pragma once
// Runs the built program in a folder with keys on standard input, the way a
// user starts it: from the folder that holds txt_in, with the executable there.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace docbase::testing {

struct program_result {
  std::string out;
  std::string err;
  int status = -1;
};

inline std::filesystem::path program_executable() { return DOCBASE_EXE; }

// Copies the executable into folder (unless copy_executable is false) and runs
// it there with keys as standard input.
inline program_result run_program(const std::filesystem::path& folder, const std::string& keys,
                                  bool copy_executable = true, const std::string& environment = "") {
  std::filesystem::path exe = program_executable();
  std::filesystem::path target = exe;
  if (copy_executable) {
    target = folder / exe.filename();
    std::filesystem::copy_file(exe, target, std::filesystem::copy_options::overwrite_existing);
  }
  std::filesystem::path scratch = folder.parent_path() / (folder.filename().string() + "_io");
  std::filesystem::create_directories(scratch);
  write_file(scratch / "keys", keys);
  std::string command = "cd '" + folder.string() + "' && " + environment + " '" + target.string() + "' < '" +
                        (scratch / "keys").string() + "' > '" + (scratch / "out").string() + "' 2> '" +
                        (scratch / "err").string() + "'";
  int raw = std::system(command.c_str());
  program_result result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = read_file(scratch / "out");
  result.err = read_file(scratch / "err");
  std::filesystem::remove_all(scratch);
  return result;
}

}  // namespace docbase::testing
