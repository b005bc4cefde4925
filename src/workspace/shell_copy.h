#pragma once
// Copy command lines whose targets are made without copying bytes, for files
// whose further life the caller knows.

#include <iosfwd>
#include <string_view>

namespace docbase {

enum class copy_method {
  // Every target gets its source's bytes: the ordinary copy.
  bytes,
  // Every target becomes another name of its source file. Only for files
  // that nothing writes in place afterwards, under either name.
  links,
  // Every source is renamed to its target. Only for sources that nothing
  // reads afterwards (they may or may not still be there).
  moves,
};

// Runs command_line as run_shell does, with the same output, the same messages
// and the same bytes under every target name, but copy makes its targets by
// method: a target that is already a name of its source counts as copied, and
// where the file system cannot link or rename, the bytes are copied.
void run_shell(std::string_view command_line, copy_method method);

// The same with the console and error streams given.
void run_shell(std::string_view command_line, std::ostream& out, std::ostream& err, copy_method method);

}  // namespace docbase
