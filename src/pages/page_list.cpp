#include "pages/page_list.h"

#include "pages/page_stages.h"
#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "workspace/shell.h"

namespace docbase {

bool& table_flag() {
  static bool inside_table = false;
  return inside_table;
}

int page_number_width(long long entries) {
  int width = 2;
  for (long long limit = 10; entries > limit && width < 8; limit *= 10) ++width;
  return width;
}

std::string page_number_name(long long n, int width) {
  std::string digits = std::to_string(n);
  std::size_t padding = digits.size() < static_cast<std::size_t>(width) ? width - digits.size() : 0;
  return "page_" + std::string(padding, '0') + digits + ".htm";
}

std::optional<std::string> normalise_line(std::string_view line, bool& inside_table) {
  std::string_view s = trim_trailing_blanks(line);
  std::string_view trimmed = trim_blanks(s);
  if (contains(trimmed, "<pre>") || trimmed == "</pre>") return std::nullopt;
  std::string lower = lower_ascii(trimmed);
  if (contains(lower, "<table ")) inside_table = true;
  if (contains(lower, "</table")) inside_table = false;
  if (inside_table) return std::string(s);

  std::size_t indent = s.find_first_not_of(' ');
  if (indent == std::string_view::npos) indent = 0;
  std::string result;
  result.reserve(s.size() + indent * 6 + 4);
  if (indent > 0 || !trimmed.starts_with("<br>")) result += "<br>";
  for (std::size_t k = 0; k < indent; ++k) result += "&nbsp;";
  for (char c : s)
    if (static_cast<unsigned char>(c) > 15) result += c;
  return result;
}

long long build_page_list() {
  run_shell("dir /b htm_in\\*.htm* > dir_02.txt");
  run_shell("sort dir_02.txt /o dir_03.txt");
  record_file sorted;
  record_file list;
  sorted.open_for_reading("dir_03.txt");
  list.open_for_output("dir_01.txt");
  list.write_line("f_promote.htm");
  std::string line;
  while (sorted.read_line(line)) {
    std::string entry = lower_ascii(line);
    if (!contains(entry, "f_promote.htm")) list.write_line(entry);
  }
  sorted.close();
  list.close();

  long long entries = 0;
  list.open_for_reading("dir_01.txt");
  while (list.read_line(line))
    if (contains(lower_ascii(line), ".htm")) ++entries;
  list.close();
  return entries;
}

void normalise_pages(int width) {
  record_file list;
  list.open_for_reading("dir_01.txt");
  long long n = 0;
  std::string entry;
  std::string line;
  while (list.read_line(entry)) {
    entry = lower_ascii(entry);
    if (!contains(entry, ".htm")) continue;
    std::string copy_name = entry.substr(0, entry.find(".htm")) + "_01.htm";
    record_file copy;
    record_file source;
    copy.open_for_output(copy_name);
    source.open_for_reading("htm_in\\" + entry);
    while (source.read_line(line))
      if (auto normalised = normalise_line(line, table_flag())) copy.write_line(*normalised);
    copy.close();
    source.close();
    ++n;
    run_shell("copy " + copy_name + " " + page_number_name(n, width) + " > out_null.list");
  }
  list.close();
  write_line();
}

void list_and_normalise_pages() { normalise_pages(page_number_width(build_page_list())); }

}  // namespace docbase
