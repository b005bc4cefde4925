#include "run/tool_checks.h"

#include <string>

#include "records/record_file.h"
#include "run/console.h"
#include "run/prompts.h"
#include "workspace/shell.h"

namespace docbase {

namespace {

[[noreturn]] void fail(std::string_view first_line, std::string_view second_line) {
  write_line("---------------------");
  write_line(first_line);
  write_line(second_line);
  confirm_end_prompt();
}

}  // namespace

long long count_nonblank_lines(std::string_view path) {
  record_file file;
  file.open_for_reading(path);
  long long count = 0;
  while (!file.at_end_of_file()) {
    std::string line = file.read_line();
    if (line.find_first_not_of(' ') != std::string::npos) ++count;
  }
  return count;
}

void check_tools() {
  write_line("---------------------------");
  write_line("Checking the accessibility of some urgently needed programs:");
  write_line("cmd.exe, find.exe, findstr.exe, sort.exe");

  write_line("cmd");
  run_shell("cmd /c dir *. > check_01.txt");
  if (count_nonblank_lines("check_01.txt") < 1)
    fail("Checking for cmd.exe!", "The system path to the program is most likely to be configured.");

  // find writes a header line naming the file before the lines it found, so
  // it has found the program's own .exe only when it wrote two lines.
  write_line("find");
  run_shell("dir > out_null.txt");
  run_shell("cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt");
  run_shell("cmd /c dir > check_01.txt");
  run_shell("cmd /c find /i \".exe\" check_01.txt >  check_02.txt");
  if (count_nonblank_lines("check_02.txt") < 2)
    fail("Checking for find.exe!", "The system path to the program is most likely to be configured.");

  write_line("findstr");
  run_shell("dir > out_null.txt");
  run_shell("cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt");
  run_shell("cmd /c dir > check_01.txt");
  run_shell("cmd /c findstr /i \".exe\" check_01.txt > check_02.txt");
  if (count_nonblank_lines("check_02.txt") < 1)
    fail("Checking for findstr.exe!", "The system path to the program is most likely to be configured.");

  write_line("sort");
  run_shell("dir > check_01.txt");
  run_shell("del /q check_*.txt");
  run_shell("dir *. > check_01.txt");
  run_shell("sort check_01.txt /o check_02.txt");
  if (count_nonblank_lines("check_02.txt") < 2)
    fail("Checking for sort.exe", "It is probably necessary to set the system path to the program.");
}

}  // namespace docbase
