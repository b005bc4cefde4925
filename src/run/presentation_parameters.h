#pragma once
// The four presentation parameters of the generated pages: the code page
// named in their heads, the colour and size of a highlighted word, and the
// find-word behaviour. Their menu is written to publisher_para.txt and shown.

#include <string>
#include <string_view>
#include <vector>

namespace docbase {

struct parameter_row {
  std::string entry;
  std::string description = " ";
  std::string marker = "   ";
};

// One row of the overview as the console shows it: the row number, then
// entry, description and marker, each at the next print zone of an
// 80-column console (a zone beyond column 66 starts a new line instead).
std::string overview_row_text(int row_number, const parameter_row& row);

struct presentation_values {
  std::string code_page;
  std::string font_color;
  std::string font_size;
  int find_word = 0;
  bool code_page_marked = false;
};

// The values the rows marked "--->" select, each section's unmarked value
// (and a find_word of 0) replaced by the default: UTF-8, red, 140%, 1. A
// marked code page is noted and replaced by UTF-8 as well.
presentation_values select_parameters(const std::vector<parameter_row>& table);

// Writes publisher_para.txt, shows it as the overview, settles code_page,
// font_color, font_size and find_word, and clears the console.
void settle_presentation_parameters();

}  // namespace docbase
