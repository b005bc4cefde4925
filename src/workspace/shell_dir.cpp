#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "records/text.h"
#include "workspace/host_path.h"
#include "workspace/shell_commands.h"
#include "workspace/shell_names.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

struct dir_options {
  bool bare = false;
  bool recurse = false;
};

// The folder one dir argument lists and the pattern of the names it shows.
// folder_text is the folder as written, with a backslash at its end, or empty
// for the current folder; it starts every path that dir /b /s writes.
struct dir_target {
  fs::path folder;
  std::string folder_text;
  std::string pattern;
  bool literal = false;
};

std::optional<dir_target> target_of(const shell_context& context, const shell_word& word) {
  std::optional<fs::path> whole = context.confined(word.text);
  if (!whole) return std::nullopt;
  split_path parts = split_last_name(word.text);
  std::optional<fs::path> folder = host_path(parts.folder_text);
  std::error_code error;
  bool names_pattern = !word.literal && has_wildcard(parts.name);
  if (!names_pattern && fs::is_directory(*whole, error)) {
    std::string text = *whole == "." ? std::string() : word.text;
    if (!text.empty() && text.back() != '\\' && text.back() != '/') text += '\\';
    return dir_target{*whole, text, "*", false};
  }
  if (!fs::is_directory(*folder, error)) {
    context.fail("The system cannot find the path specified.");
    return std::nullopt;
  }
  if (parts.name.empty()) parts.name = "*";
  return dir_target{*folder, parts.folder_text, parts.name, word.literal};
}

bool name_matches(const dir_target& target, std::string_view name) {
  return target.literal ? equal_ignoring_case(target.pattern, name) : wildcard_match(target.pattern, name);
}

// Whether the long listing shows "." and "..": for a pattern of all names or
// of all names without an extension.
bool shows_dot_entries(const dir_target& target) {
  return !target.literal && (target.pattern == "*" || target.pattern == "*.*" || target.pattern == "*.");
}

void walk_bare(const shell_context& context, const dir_target& target, const fs::path& folder,
               const std::string& prefix, std::size_t& count) {
  folder_listing listing = read_folder(folder);
  for (const folder_entry& entry : listing.entries) {
    if (!name_matches(target, entry.name)) continue;
    context.out.write_line(prefix + entry.name);
    ++count;
  }
  for (const folder_entry& entry : listing.entries)
    if (entry.is_folder && !entry.is_link) walk_bare(context, target, folder / entry.name, prefix + entry.name + '\\', count);
}

std::string with_thousands(std::uintmax_t value) {
  std::string digits = std::to_string(value);
  std::string result;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result;
}

// What the long listing shows of an entry: its write time, as
// "yyyy-mm-dd  hh:mm" in local time, and its size.
struct entry_facts {
  std::string stamp = std::string(17, ' ');
  std::uintmax_t size = 0;
};

// The local time of one second, kept for the next entry: the entries of a
// folder were mostly written within a few seconds of one another.
std::string local_stamp(std::time_t seconds) {
  static std::time_t last_seconds = 0;
  static std::string last_stamp;
  if (!last_stamp.empty() && seconds == last_seconds) return last_stamp;
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) local = std::tm{};
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d  %H:%M", &local);
  last_seconds = seconds;
  last_stamp = text;
  return last_stamp;
}

entry_facts facts_of(const fs::path& path) {
  entry_facts facts;
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return facts;
  // Whole seconds toward zero, also before 1970.
  std::time_t seconds = status.st_mtim.tv_sec;
  if (seconds < 0 && status.st_mtim.tv_nsec > 0) ++seconds;
  facts.stamp = local_stamp(seconds);
  facts.size = S_ISREG(status.st_mode) ? static_cast<std::uintmax_t>(status.st_size) : 0;
  return facts;
}

struct dir_totals {
  std::size_t files = 0;
  std::size_t folders = 0;
  std::uintmax_t bytes = 0;
  bool headed = false;
};

std::string entry_line(const fs::path& path, std::string_view name, bool is_folder, dir_totals& totals) {
  entry_facts facts = facts_of(path);
  std::string line = facts.stamp;
  if (is_folder) {
    line += "    <DIR>          ";
    ++totals.folders;
  } else {
    char field[32];
    std::snprintf(field, sizeof field, "    %14s ", with_thousands(facts.size).c_str());
    line += field;
    ++totals.files;
    totals.bytes += facts.size;
  }
  line += name;
  return line;
}

std::string files_line(const dir_totals& totals) {
  char line[96];
  std::snprintf(line, sizeof line, "%16zu File(s) %14s bytes", totals.files, with_thousands(totals.bytes).c_str());
  return line;
}

std::string folders_line(const dir_totals& totals) {
  char line[48];
  std::snprintf(line, sizeof line, "%16zu Dir(s)", totals.folders);
  return line;
}

// The long listing of one folder: a heading with the folder as written (never
// its full path), one line per entry, and the counts. Returns the number of
// entries shown.
std::size_t list_long(const shell_context& context, const dir_target& target, const fs::path& folder,
                      const std::string& folder_text, bool recurse, dir_totals& all) {
  folder_listing listing = read_folder(folder);
  dir_totals totals;
  std::vector<std::string> lines;
  if (shows_dot_entries(target)) {
    lines.push_back(entry_line(folder, ".", true, totals));
    lines.push_back(entry_line(folder / "..", "..", true, totals));
  }
  std::size_t shown = 0;
  for (const folder_entry& entry : listing.entries) {
    if (!name_matches(target, entry.name)) continue;
    lines.push_back(entry_line(folder / entry.name, entry.name, entry.is_folder, totals));
    ++shown;
  }
  if (shown > 0 || !recurse) {
    std::string shown_folder = folder_text.empty() ? "." : folder_text.substr(0, folder_text.size() - 1);
    if (all.headed) context.out.write_line("");
    all.headed = true;
    context.out.write_line(" Directory of " + shown_folder);
    context.out.write_line("");
    for (const std::string& line : lines) context.out.write_line(line);
    context.out.write_line(files_line(totals));
    if (!recurse) context.out.write_line(folders_line(totals));
  }
  all.files += totals.files;
  all.folders += totals.folders;
  all.bytes += totals.bytes;
  if (recurse)
    for (const folder_entry& entry : listing.entries)
      if (entry.is_folder && !entry.is_link)
        shown += list_long(context, target, folder / entry.name, folder_text + entry.name + '\\', true, all);
  return shown;
}

void list_target(const shell_context& context, const dir_target& target, const dir_options& options) {
  std::size_t count = 0;
  if (options.bare && options.recurse) {
    walk_bare(context, target, target.folder, target.folder_text, count);
  } else if (options.bare) {
    for (const folder_entry& entry : read_folder(target.folder).entries) {
      if (!name_matches(target, entry.name)) continue;
      context.out.write_line(entry.name);
      ++count;
    }
  } else {
    dir_totals all;
    count = list_long(context, target, target.folder, target.folder_text, options.recurse, all);
    if (options.recurse) {
      context.out.write_line("");
      context.out.write_line("     Total Files Listed:");
      context.out.write_line(files_line(all));
      context.out.write_line(folders_line(all));
    }
  }
  if (count == 0 && !(!options.bare && shows_dot_entries(target))) context.fail("File Not Found");
}

}  // namespace

void run_dir(const shell_context& context, const shell_words& arguments) {
  dir_options options;
  std::vector<shell_word> patterns;
  for (const shell_word& word : arguments) {
    if (!is_switch(word)) {
      patterns.push_back(word);
      continue;
    }
    std::string name = lower_ascii(word.text);
    if (name == "/b") {
      options.bare = true;
    } else if (name == "/s") {
      options.recurse = true;
    } else {
      context.fail("Invalid switch - \"" + word.text.substr(1) + "\".");
      return;
    }
  }
  if (patterns.empty()) patterns.push_back({"*", false, false});
  for (const shell_word& pattern : patterns) {
    std::optional<dir_target> target = target_of(context, pattern);
    if (target) list_target(context, *target, options);
  }
}

}  // namespace docbase
