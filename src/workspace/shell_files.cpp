#include <unistd.h>

#include <cstdio>
#include <string>

#include "records/text.h"
#include "workspace/host_path.h"
#include "workspace/shell_commands.h"
#include "workspace/shell_names.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view path_not_found = "The system cannot find the path specified.";
constexpr std::string_view file_not_found = "The system cannot find the file specified.";
constexpr std::string_view syntax_error = "The syntax of the command is incorrect.";

bool ends_with_separator(std::string_view text) {
  return !text.empty() && (text.back() == '\\' || text.back() == '/');
}

bool is_folder_path(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool entry_exists(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

// The words that are not switches; false (after the message) when a switch is
// not among the allowed ones.
bool take_arguments(const shell_context& context, const shell_words& arguments,
                    std::initializer_list<std::string_view> allowed, shell_words& names) {
  for (const shell_word& word : arguments) {
    if (!is_switch(word)) {
      names.push_back(word);
      continue;
    }
    std::string name = lower_ascii(word.text);
    bool known = false;
    for (std::string_view switch_name : allowed) known = known || name == switch_name;
    if (!known) {
      context.fail("Invalid switch - " + word.text);
      return false;
    }
  }
  return true;
}

// Copies the bytes of source to target, appending with append; false when
// either file cannot be opened or a write fails.
bool copy_bytes(const fs::path& source, const fs::path& target, bool append) {
  std::FILE* in = std::fopen(source.c_str(), "rb");
  if (in == nullptr) return false;
  rewritten_file out;
  if (append)
    out.file = std::fopen(target.c_str(), "ab");
  else
    out = open_rewritten(target);
  if (out.file == nullptr) {
    std::fclose(in);
    return false;
  }
  static char buffer[1 << 18];
  bool ok = true;
  std::uintmax_t written = 0;
  std::size_t read;
  while (ok && (read = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    ok = std::fwrite(buffer, 1, read, out.file) == read;
    written += read;
  }
  ok = !std::ferror(in) && ok;
  std::fclose(in);
  if (append) return std::fclose(out.file) == 0 && ok;
  return close_rewritten(target, out, written) && ok;
}

bool is_regular_entry(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() == fs::file_type::regular && !error;
}

// Whether two paths are one directory entry (not merely two names of one file).
bool same_entry(const fs::path& a, const fs::path& b) {
  if (a.filename() != b.filename()) return false;
  fs::path folder_a = a.parent_path().empty() ? fs::path(".") : a.parent_path();
  fs::path folder_b = b.parent_path().empty() ? fs::path(".") : b.parent_path();
  std::error_code error;
  return fs::equivalent(folder_a, folder_b, error) && !error;
}

// Makes target another name of source, or renames source to target; false
// when the file system cannot, with target left as it was or gone. An old
// target is removed first: renaming over it would make the file system write
// the source's data out at once, to keep it safe from a crash.
bool link_or_move(const fs::path& source, const fs::path& target, copy_method method) {
  if (!is_regular_entry(source)) return false;
  bool existed = entry_exists(target);
  if (existed && !is_regular_entry(target)) return false;
  if (existed && ::unlink(target.c_str()) != 0) return false;
  if (method == copy_method::moves) return std::rename(source.c_str(), target.c_str()) == 0;
  return ::link(source.c_str(), target.c_str()) == 0;
}

// Gives target the bytes of source by method.
bool transfer(const fs::path& source, const fs::path& target, copy_method method) {
  if (method != copy_method::bytes && link_or_move(source, target, method)) return true;
  return copy_bytes(source, target, false);
}

struct source_file {
  fs::path path;
  std::string name;
};

void write_copied(const shell_context& context, std::size_t count) {
  char line[48];
  std::snprintf(line, sizeof line, "%9zu file(s) copied.", count);
  context.out.write_line(line);
}

// The folder names of md and rd: at least one, none outside the current
// folder's tree. False, with the message given, otherwise.
bool take_folder_names(const shell_context& context, const shell_words& arguments, shell_words& names) {
  if (!take_arguments(context, arguments, {}, names)) return false;
  if (names.empty()) {
    context.fail(syntax_error);
    return false;
  }
  for (const shell_word& name : names)
    if (!context.confined(name.text)) return false;
  return true;
}

}  // namespace

// copy [/y] source [destination]: the source is a file, a wildcard pattern or
// a folder (its files); the destination a folder (written with a trailing
// backslash, or an existing one), a file name, or nothing for the current
// folder. An existing target is replaced, with or without /y. Several sources
// onto one file name are joined into it.
void run_copy(const shell_context& context, const shell_words& arguments) {
  shell_words names;
  if (!take_arguments(context, arguments, {"/y", "/-y", "/b", "/a", "/v"}, names)) return;
  if (names.empty() || names.size() > 2) {
    context.fail(syntax_error);
    return;
  }
  const shell_word& source = names[0];
  split_path parts = split_last_name(source.text);
  std::optional<fs::path> source_whole = context.confined(source.text);
  if (!source_whole) return;
  std::optional<fs::path> source_folder = host_path(parts.folder_text);

  bool several = !source.literal && has_wildcard(parts.name);
  std::string pattern = parts.name;
  if (!several && is_folder_path(*source_whole)) {
    several = true;
    source_folder = source_whole;
    parts.folder_text = ends_with_separator(source.text) ? source.text : source.text + '\\';
    pattern = "*";
  }
  std::vector<source_file> sources;
  if (several) {
    if (!is_folder_path(*source_folder)) {
      context.fail(path_not_found);
      write_copied(context, 0);
      return;
    }
    folder_listing listing = read_folder(*source_folder);
    for (const std::string& name : listing.unaddressable)
      if (wildcard_match(pattern, name))
        context.fail(parts.folder_text + printable_name(name) +
                     " cannot be copied: its name holds characters that no command can use");
    for (const folder_entry& entry : listing.entries)
      if (!entry.is_folder && wildcard_match(pattern, entry.name))
        sources.push_back({*source_folder / entry.name, entry.name});
  } else if (entry_exists(*source_whole)) {
    sources.push_back({*source_whole, source_whole->filename().string()});
  }
  if (sources.empty()) {
    context.fail(file_not_found);
    write_copied(context, 0);
    return;
  }

  std::string target_folder_text;
  std::optional<fs::path> target_file;
  if (names.size() == 2) {
    const std::string& target = names[1].text;
    std::optional<fs::path> whole = context.confined(target);
    if (!whole) return;
    if (ends_with_separator(target) || is_folder_path(*whole)) {
      if (!is_folder_path(*whole)) {
        context.fail(path_not_found);
        write_copied(context, 0);
        return;
      }
      target_folder_text = ends_with_separator(target) ? target : target + '\\';
    } else {
      fs::path parent = whole->parent_path();
      if (!is_folder_path(parent.empty() ? fs::path(".") : parent)) {
        context.fail(path_not_found);
        write_copied(context, 0);
        return;
      }
      target_file = *whole;
    }
  }

  std::size_t copied = 0;
  bool joined = several && target_file.has_value();
  bool first = true;
  for (const source_file& file : sources) {
    fs::path target = target_file ? *target_file : *host_path(target_folder_text + file.name);
    std::error_code error;
    bool existed = entry_exists(target);
    bool one_file = existed && fs::equivalent(file.path, target, error);
    // Two names of one file that links made: the target has its bytes already.
    bool linked = one_file && !joined && context.method != copy_method::bytes && !same_entry(file.path, target);
    if (one_file && !linked) {
      if (joined) continue;
      context.fail("The file cannot be copied onto itself.");
      continue;
    }
    if (is_folder_path(target)) {
      context.fail("Access is denied.");
      continue;
    }
    if (several) context.out.write_line(parts.folder_text + file.name);
    bool made =
        linked || (joined ? copy_bytes(file.path, target, !first) : transfer(file.path, target, context.method));
    if (!made) {
      context.fail("Access is denied.");
      continue;
    }
    // A link or a rename changes the folders even where the target existed.
    bool renamed = context.method != copy_method::bytes && !linked && !joined;
    if (!existed || renamed) note_folder_changed(target);
    if (renamed && context.method == copy_method::moves) note_folder_changed(file.path);
    first = false;
    if (!joined) ++copied;
  }
  write_copied(context, joined ? (first ? 0 : 1) : copied);
}

// del [/q] names: deletes files (never folders). A pattern deletes the files
// it matches; the name of a folder deletes the files in that folder.
void run_del(const shell_context& context, const shell_words& arguments) {
  shell_words names;
  if (!take_arguments(context, arguments, {"/q", "/f"}, names)) return;
  if (names.empty()) {
    context.fail(syntax_error);
    return;
  }
  for (const shell_word& name : names)
    if (!context.confined(name.text)) return;

  for (const shell_word& name : names) {
    split_path parts = split_last_name(name.text);
    fs::path folder = *host_path(parts.folder_text);
    fs::path whole = *host_path(name.text);
    std::string pattern = parts.name;
    std::vector<fs::path> doomed;
    bool whole_folder = false;
    if (name.literal || !has_wildcard(parts.name)) {
      std::error_code error;
      // A link is deleted itself, not the files of the folder it points to.
      if (fs::symlink_status(whole, error).type() == fs::file_type::directory) {
        folder = whole;
        pattern = "*";
        whole_folder = true;
      } else {
        if (entry_exists(whole)) doomed.push_back(whole);
        pattern.clear();
      }
    }
    if (!pattern.empty()) {
      if (!is_folder_path(folder)) {
        context.fail(path_not_found);
        continue;
      }
      for (const folder_entry& entry : read_folder(folder).entries)
        if (!entry.is_folder && wildcard_match(pattern, entry.name)) doomed.push_back(folder / entry.name);
    }
    if (doomed.empty()) {
      if (!whole_folder) context.fail("Could Not Find " + printable_name(name.text));
      continue;
    }
    for (const fs::path& file : doomed) {
      std::error_code error;
      if (!fs::remove(file, error) || error)
        context.fail("Access is denied.");
      else
        note_folder_changed(file);
    }
  }
}

// md names: creates each folder with the folders above it that are missing.
void run_md(const shell_context& context, const shell_words& arguments) {
  shell_words names;
  if (!take_folder_names(context, arguments, names)) return;
  for (const shell_word& name : names) {
    fs::path folder = *host_path(name.text);
    if (entry_exists(folder)) {
      context.fail("A subdirectory or file " + printable_name(name.text) + " already exists.");
      continue;
    }
    fs::path step = ".";
    for (const fs::path& part : folder) {
      step /= part;
      if (is_folder_path(step)) continue;
      std::error_code error;
      if (entry_exists(step) || !fs::create_directory(step, error) || error) {
        context.fail(path_not_found);
        break;
      }
      note_folder_changed(step);
    }
  }
}

// rd names: removes each folder when it is empty.
void run_rd(const shell_context& context, const shell_words& arguments) {
  shell_words names;
  if (!take_folder_names(context, arguments, names)) return;
  for (const shell_word& name : names) {
    fs::path folder = *host_path(name.text);
    std::error_code error;
    if (folder == ".") {
      context.fail("The process cannot access the file because it is being used by another process.");
    } else if (!entry_exists(folder)) {
      context.fail(file_not_found);
    } else if (fs::symlink_status(folder, error).type() != fs::file_type::directory) {
      context.fail("The directory name is invalid.");
    } else if (!fs::is_empty(folder, error) || error) {
      context.fail("The directory is not empty.");
    } else if (!fs::remove(folder, error) || error) {
      context.fail("Access is denied.");
    } else {
      note_folder_changed(folder);
    }
  }
}

// rename old new: old is a path (a file name, never a pattern), new a bare
// name for it in the same folder.
void run_rename(const shell_context& context, const shell_words& arguments) {
  shell_words names;
  if (!take_arguments(context, arguments, {}, names)) return;
  if (names.size() != 2) {
    context.fail(syntax_error);
    return;
  }
  const std::string& new_name = names[1].text;
  if (new_name.empty() || new_name == "." || new_name == ".." || is_unaddressable_name(new_name) ||
      (!names[1].literal && has_wildcard(new_name))) {
    context.fail(syntax_error);
    return;
  }
  std::optional<fs::path> old_path = context.confined(names[0].text);
  if (!old_path) return;
  split_path parts = split_last_name(names[0].text);
  std::optional<fs::path> taken = context.confined(parts.folder_text + new_name);
  if (!taken) return;
  if (!entry_exists(*old_path) || *old_path == ".") {
    context.fail(file_not_found);
    return;
  }
  std::error_code error;
  if (entry_exists(*taken) && !fs::equivalent(*old_path, *taken, error)) {
    context.fail("A duplicate file name exists, or the file cannot be found.");
    return;
  }
  fs::path new_path = old_path->parent_path() / new_name;
  fs::rename(*old_path, new_path, error);
  if (error) {
    context.fail("Access is denied.");
    return;
  }
  note_folder_changed(*old_path);
  note_folder_changed(new_path);
}

}  // namespace docbase
