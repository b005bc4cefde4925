#include "workspace/shell.h"

#include <iostream>
#include <string>

#include "records/text.h"
#include "run/console.h"
#include "workspace/host_path.h"
#include "workspace/shell_commands.h"
#include "workspace/shell_copy.h"
#include "workspace/shell_names.h"

namespace docbase {
namespace fs = std::filesystem;

void shell_context::fail(std::string_view message) const {
  out.flush_console();
  err << message << '\n';
  err.flush();
}

std::optional<fs::path> shell_context::confined(std::string_view program_path) const {
  std::optional<fs::path> path = host_path(program_path);
  if (!path) fail("Access is denied.");
  return path;
}

namespace {

void run_chcp(const shell_context& context) { context.out.write_line("Active code page: 65001"); }

// Without an argument: the current folder's full path. With one, since each
// command line runs in a fresh interpreter, a change of folder would be lost
// at once: the folder is only checked.
void run_cd(const shell_context& context, const shell_words& arguments) {
  if (arguments.empty()) {
    std::error_code error;
    context.out.write_line(fs::current_path(error).string());
    return;
  }
  std::string target;
  for (const shell_word& word : arguments) {
    if (is_switch(word)) continue;
    if (!target.empty()) target += ' ';
    target += word.text;
  }
  std::optional<fs::path> folder = context.confined(target);
  if (!folder) return;
  std::error_code error;
  if (!fs::is_directory(*folder, error)) context.fail("The system cannot find the path specified.");
}

bool is_name(const shell_word& word, std::string_view name) {
  return !word.quoted && lower_ascii(word.text) == name;
}

// "for %i in (set) do command": the command runs once for each file that a
// pattern of the set matches (and once for each plain name of the set), with
// the variable standing for the file's path. A matched name is put in as a
// file name, never read again as a pattern or split at its blanks.
void run_for(const shell_context& context, const shell_words& arguments) {
  std::size_t at = 0;
  auto syntax_error = [&context] { context.fail("The syntax of the command is incorrect."); };
  if (arguments.size() < 4 || arguments[0].quoted || arguments[0].text.size() < 2 ||
      arguments[0].text[0] != '%' || !is_name(arguments[1], "in")) {
    syntax_error();
    return;
  }
  const std::string& variable = arguments[0].text;
  at = 2;
  std::string set;
  bool closed = false;
  for (; at < arguments.size() && !closed; ++at) {
    std::string_view text = arguments[at].text;
    if (set.empty() && text.starts_with('(')) text.remove_prefix(1);
    if (text.ends_with(')')) {
      text.remove_suffix(1);
      closed = true;
    }
    if (!set.empty()) set += ' ';
    set += text;
  }
  if (!closed || !arguments[2].text.starts_with('(') || at >= arguments.size() || !is_name(arguments[at], "do") ||
      at + 1 >= arguments.size()) {
    syntax_error();
    return;
  }
  shell_words command(arguments.begin() + static_cast<std::ptrdiff_t>(at + 1), arguments.end());

  std::vector<std::string> values;
  std::size_t start = 0;
  while (start < set.size()) {
    std::size_t end = set.find(' ', start);
    if (end == std::string::npos) end = set.size();
    std::string item = set.substr(start, end - start);
    start = end + 1;
    if (item.empty()) continue;
    if (!has_wildcard(item)) {
      values.push_back(item);
      continue;
    }
    split_path parts = split_last_name(item);
    std::optional<fs::path> folder = context.confined(parts.folder_text);
    if (!folder) return;
    for (const folder_entry& entry : read_folder(*folder).entries)
      if (!entry.is_folder && wildcard_match(parts.name, entry.name)) values.push_back(parts.folder_text + entry.name);
  }

  for (const std::string& value : values) {
    shell_words expanded = command;
    for (shell_word& word : expanded) {
      std::size_t found = word.text.find(variable);
      if (found == std::string::npos) continue;
      for (; found != std::string::npos; found = word.text.find(variable, found + value.size()))
        word.text.replace(found, variable.size(), value);
      word.literal = true;
    }
    run_command(context, expanded);
  }
}

}  // namespace

void run_command(const shell_context& context, const shell_words& words) {
  if (words.empty()) return;
  std::string name = lower_ascii(words[0].text);
  shell_words arguments(words.begin() + 1, words.end());
  if (words[0].quoted || words[0].literal) name.clear();
  if (name == "chcp")
    run_chcp(context);
  else if (name == "cd" || name == "chdir")
    run_cd(context, arguments);
  else if (name == "dir")
    run_dir(context, arguments);
  else if (name == "copy")
    run_copy(context, arguments);
  else if (name == "del" || name == "erase")
    run_del(context, arguments);
  else if (name == "md" || name == "mkdir")
    run_md(context, arguments);
  else if (name == "rd" || name == "rmdir")
    run_rd(context, arguments);
  else if (name == "rename" || name == "ren")
    run_rename(context, arguments);
  else if (name == "sort")
    run_sort(context, arguments);
  else if (name == "find")
    run_find(context, arguments);
  else if (name == "findstr")
    run_findstr(context, arguments);
  else if (name == "for")
    run_for(context, arguments);
  else
    context.fail("'" + printable_name(words[0].text) +
                 "' is not recognized as an internal or external command, operable program or batch file.");
}

void run_shell(std::string_view command_line) {
  flush_console();
  run_shell(command_line, std::cout, std::cerr);
}

void run_shell(std::string_view command_line, std::ostream& out, std::ostream& err) {
  run_shell(command_line, out, err, copy_method::bytes);
}

void run_shell(std::string_view command_line, copy_method method) {
  flush_console();
  run_shell(command_line, std::cout, std::cerr, method);
}

void run_shell(std::string_view command_line, std::ostream& out, std::ostream& err, copy_method method) {
  shell_output output(out);
  shell_context context{output, err, method};
  parsed_command command = parse_command_line(command_line);
  if (!command.valid) {
    context.fail("The syntax of the command is incorrect.");
    return;
  }
  // Every redirect file is created or emptied in turn; the output goes to the
  // last. A file that cannot be made stops the line before its command runs.
  for (const shell_redirection& redirection : command.redirections) {
    std::optional<fs::path> file = context.confined(redirection.target);
    if (!file) return;
    std::error_code error;
    if (fs::is_directory(*file, error)) {
      context.fail("Access is denied.");
      return;
    }
    bool existed = fs::exists(*file, error);
    bool opened = &redirection == &command.redirections.back() ? output.redirect(*file, redirection.append)
                                                                 : touch_file(*file, redirection.append);
    if (!opened) {
      context.fail("The system cannot find the path specified.");
      return;
    }
    if (!existed) note_folder_changed(*file);
  }
  run_command(context, command.words);
  output.close();
}

}  // namespace docbase
