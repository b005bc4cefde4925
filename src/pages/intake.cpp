#include "pages/intake.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "pages/page_stages.h"
#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "run/run_values.h"
#include "workspace/host_path.h"
#include "workspace/shell.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

bool is_name_byte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool ends_with_text_extension(std::string_view name) {
  return name.size() >= 4 && equal_ignoring_case(name.substr(name.size() - 4), ".txt");
}

bool taken_in_work_folder(std::string_view name) {
  auto path = host_path("txt_wrk\\" + std::string(name));
  std::error_code error;
  return !path || fs::symlink_status(*path, error).type() != fs::file_type::not_found;
}

// The safe name itself when no entry of txt_wrk has it in any letter case;
// otherwise the first of name_2, name_3 ... (before the extension) that is
// free, so that a text whose safe name is taken still gets a safe name.
std::string free_safe_name(const std::string& safe) {
  if (!taken_in_work_folder(safe)) return safe;
  std::size_t p = extension_position(safe);
  for (int k = 2;; ++k) {
    std::string numbered = safe.substr(0, p - 1) + "_" + std::to_string(k) + safe.substr(p - 1);
    if (!taken_in_work_folder(numbered)) return numbered;
  }
}

bool copy_into_work_folder(const fs::path& source, const std::string& name, bool replace) {
  auto target = host_path("txt_wrk\\" + name);
  if (!target) return false;
  std::error_code error;
  fs::copy_file(source, *target, replace ? fs::copy_options::overwrite_existing : fs::copy_options::none, error);
  if (error) return false;
  note_folder_changed(*target);
  return true;
}

void take_in_directly(const fs::path& source, std::string_view reason) {
  std::string name = free_safe_name(safe_text_name(source.filename().string()));
  if (copy_into_work_folder(source, name, false))
    write_line("txt_in: a text whose name " + std::string(reason) + " is taken in as " + name);
  else
    write_line("txt_in: a text whose name " + std::string(reason) + " could not be copied to " + name);
}

// The wildcard copy cannot bring over every text: a name that no command line
// can address (a backslash, a double quote or a control byte) is passed over,
// and of names that differ only in letter case one file is left, holding one
// of the texts. Those texts are copied here directly, under free safe names.
void take_in_what_the_copy_missed() {
  auto input = host_path("txt_in");
  if (!input) return;
  std::error_code error;
  std::vector<std::string> unaddressable;
  std::map<std::string, std::vector<std::string>> by_folded_name;
  for (fs::directory_iterator it(*input, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code type_error;
    if (!ends_with_text_extension(name) || !it->is_regular_file(type_error)) continue;
    if (is_unaddressable_name(name))
      unaddressable.push_back(name);
    else
      by_folded_name[lower_ascii(name)].push_back(name);
  }
  std::sort(unaddressable.begin(), unaddressable.end());
  for (const std::string& name : unaddressable) {
    take_in_directly(*input / name, "holds a backslash, a double quote or a control byte");
    ++the_run().input_file_count;
  }

  for (auto& [folded, names] : by_folded_name) {
    if (names.size() < 2) continue;
    std::sort(names.begin(), names.end());
    // The one copy in txt_wrk keeps its name and is given the text of that
    // name; the others get names of their own.
    auto copied = host_path("txt_wrk\\" + folded);
    std::string copied_name = copied ? copied->filename().string() : folded;
    auto keeper = std::find(names.begin(), names.end(), copied_name);
    if (keeper == names.end()) keeper = names.begin();
    copy_into_work_folder(*input / *keeper, copied_name, true);
    for (const std::string& name : names)
      if (name != *keeper) take_in_directly(*input / name, "differs from another only in letter case");
  }
}

}  // namespace

std::size_t extension_position(std::string_view line) { return position_of(lower_ascii(line), ".txt"); }

std::string safe_text_name(std::string_view line) {
  std::size_t p = extension_position(line);
  std::string old(trim_blanks(line));
  if (p == 0) return old;
  std::string base(trim_blanks(line.substr(0, p - 1)));
  for (char& c : base)
    if (!is_name_byte(c)) c = '_';
  // The extension and what follows it, taken from the line itself so that
  // blanks before the name do not shift it. After the extension only dots may
  // stand beside letters, digits and underscores, so that the name stands
  // unquoted in a command line.
  std::string extension(trim_trailing_blanks(line.substr(p - 1)));
  for (char& c : extension)
    if (!is_name_byte(c) && c != '.') c = '_';
  std::string result = base + extension;
  std::string lower_base = lower_ascii(base);
  if (lower_ascii(result).starts_with("page_") || lower_base == "page" || lower_base == "f_promote")
    result = "file_" + result;
  return result;
}

void intake_texts() {
  run_shell("copy txt_in\\*.txt txt_wrk\\ > out_null.list");
  take_in_what_the_copy_missed();
  run_shell("dir /b txt_wrk\\*.txt > txt_wrk.list");
  record_file list;
  list.open_for_reading("txt_wrk.list");
  std::string line;
  while (list.read_line(line)) {
    if (extension_position(line) == 0) continue;
    std::string new_name = safe_text_name(line);
    // The name as listed, so that a name with blanks at its start is renamed
    // too rather than looked for under a name it does not have.
    if (new_name != line) run_shell("rename \"txt_wrk\\" + line + "\" " + free_safe_name(new_name));
  }
  list.close();
  run_shell("dir /b txt_wrk\\*.txt > txt_wrk.list");
}

}  // namespace docbase
