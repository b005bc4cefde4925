#pragma once
// The command interpreter, in process: exactly the command lines the stages
// issue (chcp, cd, dir, copy, del, md, rd, rename, sort, find, findstr, for),
// with "cmd /c" and ">" / ">>" redirection. Each call is a fresh interpreter.
// Backslash separates folders; names match without regard to ASCII case; no
// command reaches outside the current folder's tree.

#include <iosfwd>
#include <string_view>

namespace docbase {

// Runs one command line in the current folder. Ordinary output goes to the
// console unless redirected, error messages to standard error. Console output
// written so far is flushed first.
void run_shell(std::string_view command_line);

// The same with the console and error streams given.
void run_shell(std::string_view command_line, std::ostream& out, std::ostream& err);

}  // namespace docbase
