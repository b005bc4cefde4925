#pragma once
// The commands of the interpreter. Each takes the words after the command
// name; ordinary output goes to out, and a failure prints its message on the
// error stream and leaves the files as they were.

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string_view>
#include <vector>

#include "workspace/shell_copy.h"
#include "workspace/shell_io.h"
#include "workspace/shell_line.h"

namespace docbase {

struct shell_context {
  shell_output& out;
  std::ostream& err;
  copy_method method = copy_method::bytes;

  // Prints message as one line on the error stream, after the console output
  // written so far.
  void fail(std::string_view message) const;
  // The path below the current folder that a program path names; prints the
  // refusal and gives nullopt for a path that leaves the current folder's tree.
  std::optional<std::filesystem::path> confined(std::string_view program_path) const;
};

using shell_words = std::vector<shell_word>;

// Runs the command of words (its name first) with out and err of context.
void run_command(const shell_context& context, const shell_words& words);

void run_dir(const shell_context& context, const shell_words& arguments);
void run_copy(const shell_context& context, const shell_words& arguments);
void run_del(const shell_context& context, const shell_words& arguments);
void run_md(const shell_context& context, const shell_words& arguments);
void run_rd(const shell_context& context, const shell_words& arguments);
void run_rename(const shell_context& context, const shell_words& arguments);
void run_sort(const shell_context& context, const shell_words& arguments);
void run_find(const shell_context& context, const shell_words& arguments);
void run_findstr(const shell_context& context, const shell_words& arguments);

}  // namespace docbase
