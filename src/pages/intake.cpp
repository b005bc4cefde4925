#include "pages/intake.h"

#include <algorithm>
#include <filesystem>
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

// Texts of txt_in whose names no command line can address (a backslash, a
// double quote or a control byte) are passed over by the wildcard copy. They
// are copied here directly under their safe name, after the renames, so that
// the texts with ordinary names keep the names the renames gave them. A name
// already taken in txt_wrk leaves the text out, with a message.
void take_in_unaddressable_texts() {
  auto input = host_path("txt_in");
  auto work = host_path("txt_wrk");
  if (!input || !work) return;
  std::error_code error;
  std::vector<std::string> names;
  for (fs::directory_iterator it(*input, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code type_error;
    if (is_unaddressable_name(name) && ends_with_text_extension(name) && it->is_regular_file(type_error))
      names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string safe = safe_text_name(name);
    // Bytes after the extension are kept by the safe-name rule; here they
    // would still steer a command, so they go too.
    for (char& c : safe)
      if (is_unaddressable_name({&c, 1})) c = '_';
    auto target = host_path("txt_wrk\\" + safe);
    std::error_code copy_error;
    if (target && !fs::exists(*target, copy_error) &&
        fs::copy_file(*input / name, *target, fs::copy_options::none, copy_error)) {
      note_folder_changed(*target);
      ++the_run().input_file_count;
      write_line("txt_in: a text whose name holds a backslash, a double quote or a control byte is taken in as " +
                 safe);
    } else {
      write_line("txt_in: a text whose name holds a backslash, a double quote or a control byte is left out: " +
                 safe + " is taken");
    }
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
  std::string lower_base = lower_ascii(base);
  // The extension is taken from the line itself, so that blanks before the
  // name do not shift it.
  std::string result = base + std::string(trim_trailing_blanks(line.substr(p - 1)));
  if (lower_ascii(result).starts_with("page_") || lower_base == "page" || lower_base == "f_promote")
    result = "file_" + result;
  return result;
}

void intake_texts() {
  run_shell("copy txt_in\\*.txt txt_wrk\\ > out_null.list");
  run_shell("dir /b txt_wrk\\*.txt > txt_wrk.list");
  record_file list;
  list.open_for_reading("txt_wrk.list");
  std::string line;
  while (list.read_line(line)) {
    if (extension_position(line) == 0) continue;
    std::string new_name = safe_text_name(line);
    // The name as listed, so that a name with blanks at its start is renamed
    // too rather than looked for under a name it does not have.
    if (new_name != line) run_shell("rename \"txt_wrk\\" + line + "\" " + new_name);
  }
  list.close();
  take_in_unaddressable_texts();
  run_shell("dir /b txt_wrk\\*.txt > txt_wrk.list");
}

}  // namespace docbase
