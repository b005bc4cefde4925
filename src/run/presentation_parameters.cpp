#include "run/presentation_parameters.h"

#include <cmath>

#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "run/prompts.h"
#include "run/run_values.h"

namespace docbase {

namespace {

constexpr int console_width = 80;
constexpr int zone_width = 14;

bool is_header(std::string_view line, std::string_view section) { return contains(lower_ascii(line), section); }

void write_parameter_file() {
  record_file file;
  file.open_for_output("publisher_para.txt");
  for (std::string_view line : {
           "====== CODE PAGE ======",
           "Windows-1250",
           "Central Europe languages: Albanian, Croatian, Czech, Hungarian, Polish, Romanian, Serbian (Latin), "
           "Slovak, Slovenian",
           "Windows-1251",
           "Cyrillic languages: Azeri, Belarusian, Bulgarian, Macedonian, Kazakh, Kyrgyz, Mongolian, Russian, "
           "Serbian, Tatar, Ukrainian, Uzbek",
           "Windows-1252",
           "Latin 1 languages: Afrikaans, Basque, Catalan, Danish, Dutch, English, Faroese, Finnish, French, "
           "Galician, German, Icelandic, Indonesian, Italian, Malay, Norwegian, Portuguese, Spanish, Swahili, Swedish",
           "Windows-1253",
           "Greek",
           "Windows-1254",
           "Turkic languages: Azeri (Latin), Turkish, Uzbek (Latin)",
           "Windows-1255",
           "Hebrew",
           "Windows-1256",
           "Arabic, Farsi, Urdu",
           "Windows-1257",
           "Baltic languages: Estonian, Latvian, Lithuanian",
           "Windows-1258",
           "Vietnamese",
           "Windows-54936",
           "China",
           "Windows-65001",
           "Unicode",
           "====== FONT COLOR ======",
           "black",
           "blue",
           "brown",
           "chartreuse",
           "coral",
           "forestgreen",
           "green",
           "coralyellow",
           "red",
           "====== FONT SIZE ======",
           "60%",
           "80%",
           "100%",
           "120%",
           "140%",
           "160%",
           "180%",
           "200%",
           "====== FIND WORD MENU ======",
           "yes",
           "no",
       })
    file.write_line(line);
}

void show_row(std::vector<parameter_row>& table, parameter_row row) {
  table.push_back(std::move(row));
  write_text(overview_row_text(static_cast<int>(table.size()), table.back()));
}

// Reads publisher_para.txt back into the table and prints it. The first pass
// counts the lines and, up to the font colour header, the code pages (each
// has a value line and a description line).
std::vector<parameter_row> show_overview() {
  record_file file;
  file.open_for_reading("publisher_para.txt");
  long long lines = 0;
  long long code_pages = 0;
  bool colour_header_read = false;
  while (!file.at_end_of_file()) {
    std::string line = file.read_line();
    ++lines;
    if (is_header(line, "font color")) colour_header_read = true;
    if (!colour_header_read) code_pages = std::llround(static_cast<double>(lines - 1) / 2);
  }

  file.rewind();
  write_line();
  write_line("====== OVERVIEW/SELECT PARAMETERS ======");
  write_line();
  std::vector<parameter_row> table;
  while (static_cast<long long>(table.size()) < lines - code_pages) {
    std::string line = file.read_line();
    bool code_page_header = is_header(line, "code page");
    show_row(table, {std::move(line)});
    if (!code_page_header) continue;
    for (long long i = 0; i < code_pages; ++i) {
      std::string entry = file.read_line();
      std::string description = file.read_line();
      show_row(table, {std::move(entry), std::move(description)});
    }
  }
  return table;
}

}  // namespace

std::string overview_row_text(int row_number, const parameter_row& row) {
  std::string text;
  int column = 1;
  auto put = [&](std::string_view part) {
    text += part;
    column = static_cast<int>((column - 1 + part.size()) % console_width) + 1;
  };
  auto next_zone = [&] {
    int zone = ((column - 1) / zone_width + 1) * zone_width + 1;
    if (zone > console_width - zone_width) {
      text += '\n';
      column = 1;
    } else {
      put(std::string(static_cast<std::size_t>(zone - column), ' '));
    }
  };
  std::string number;
  append_number(number, row_number);
  put(number);
  next_zone();
  put(row.entry);
  next_zone();
  put(row.description);
  next_zone();
  put(row.marker);
  text += '\n';
  return text;
}

presentation_values select_parameters(const std::vector<parameter_row>& table) {
  presentation_values values;
  std::string_view section;
  for (const parameter_row& row : table) {
    for (std::string_view header : {"code page", "font color", "font size", "find word"})
      if (is_header(row.entry, header)) section = header;
    if (!contains(row.marker, "--->")) continue;
    if (section == "code page") {
      values.code_page = row.entry;
      values.code_page_marked = true;
    } else if (section == "font color") {
      values.font_color = row.entry;
    } else if (section == "font size") {
      values.font_size = row.entry;
    } else if (section == "find word") {
      values.find_word = row.entry == "yes" ? 1 : 0;
    }
  }
  // The pages converted from the texts name UTF-8 themselves, so no other
  // code page is taken.
  values.code_page = "UTF-8";
  if (values.font_color.empty()) values.font_color = "red";
  if (values.font_size.empty()) values.font_size = "140%";
  if (values.find_word == 0) values.find_word = 1;
  return values;
}

void settle_presentation_parameters() {
  write_parameter_file();
  presentation_values values = select_parameters(show_overview());
  if (values.code_page_marked) {
    write_line("---------------------------------");
    write_line("The default value for the code page is Windows-65001, UTF-8.");
    write_line("Code page it will be changed.");
    write_line();
    any_key_prompt();
  }
  run_values& run = the_run();
  run.code_page = values.code_page;
  run.font_color = values.font_color;
  run.font_size = values.font_size;
  run.find_word = values.find_word;
  clear_screen();
}

}  // namespace docbase
