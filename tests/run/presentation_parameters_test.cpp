#include "run/presentation_parameters.h"

#include <vector>

#include "run/run_values.h"
#include "run/scripted_console.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::captured_console;
using testing::read_file;
using testing::write_file;

class presentation_parameters_test : public testing::temp_folder_test {};

std::string blanks(int count) { return std::string(static_cast<std::size_t>(count), ' '); }

TEST(overview_row_test, cells_stand_at_print_zones_of_an_80_column_console) {
  // Row 1: the header from column 15 to 37, the blank description at zone 43,
  // the marker at zone 57.
  EXPECT_EQ(overview_row_text(1, {"====== CODE PAGE ======"}),
            " 1" + blanks(12) + "====== CODE PAGE ======" + blanks(5) + " " + blanks(13) + "   \n");
  // Row 2: the description starts at zone 29 and runs 116 columns, wrapping
  // to column 64 of the next console line; the next zone, 71, lies in the
  // last 14 columns, so the marker starts a line of its own.
  const std::string central =
      "Central Europe languages: Albanian, Croatian, Czech, Hungarian, Polish, Romanian, Serbian (Latin), Slovak, "
      "Slovenian";
  EXPECT_EQ(overview_row_text(2, {"Windows-1250", central}),
            " 2" + blanks(12) + "Windows-1250" + blanks(2) + central + "\n   \n");
  // Row 6: the description wraps and ends at column 3, so the marker goes to
  // zone 15 of the new line.
  const std::string turkic = "Turkic languages: Azeri (Latin), Turkish, Uzbek (Latin)";
  EXPECT_EQ(overview_row_text(6, {"Windows-1254", turkic}),
            " 6" + blanks(12) + "Windows-1254" + blanks(2) + turkic + blanks(11) + "   \n");
  // Row 32: a header of 28 columns puts the description at zone 57, after
  // which only the last 14 columns remain.
  EXPECT_EQ(overview_row_text(32, {"====== FIND WORD MENU ======"}),
            " 32" + blanks(11) + "====== FIND WORD MENU ======" + blanks(14) + " " + "\n   \n");
}

TEST_F(presentation_parameters_test, file_is_written_anew_shown_and_the_values_are_the_defaults) {
  write_file("publisher_para.txt", "====== FONT COLOR ======\r\nblue\r\n");
  captured_console console;
  settle_presentation_parameters();

  std::string file = read_file("publisher_para.txt");
  EXPECT_EQ(file.substr(0, 39), "====== CODE PAGE ======\r\nWindows-1250\r\n");
  EXPECT_TRUE(file.ends_with("Unicode\r\n====== FONT COLOR ======\r\nblack\r\nblue\r\nbrown\r\nchartreuse\r\ncoral\r\n"
                             "forestgreen\r\ngreen\r\ncoralyellow\r\nred\r\n====== FONT SIZE ======\r\n60%\r\n80%\r\n"
                             "100%\r\n120%\r\n140%\r\n160%\r\n180%\r\n200%\r\n====== FIND WORD MENU ======\r\nyes\r\n"
                             "no\r\n"));
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 45);

  std::string shown = console.text();
  EXPECT_TRUE(shown.starts_with("\n====== OVERVIEW/SELECT PARAMETERS ======\n\n 1            ====== CODE PAGE"));
  EXPECT_NE(shown.find("\n 12           Windows-65001 Unicode" + blanks(7) + "   \n"
                       " 13           ====== FONT COLOR ======"),
            std::string::npos);
  EXPECT_NE(shown.find("\n 33           yes" + blanks(25) + "   \n 34           no" + blanks(26) + "   \n"),
            std::string::npos);
  EXPECT_EQ(shown.find(" 35 "), std::string::npos);

  EXPECT_EQ(the_run().code_page, "UTF-8");
  EXPECT_EQ(the_run().font_color, "red");
  EXPECT_EQ(the_run().font_size, "140%");
  EXPECT_EQ(the_run().find_word, 1);
}

TEST(select_parameters_test, marked_rows_give_their_section_value) {
  std::vector<parameter_row> table = {
      {"====== CODE PAGE ======"}, {"Windows-1250", "Central Europe", "--->"}, {"====== FONT COLOR ======"},
      {"blue", " ", "--->"},      {"red"},                                     {"====== FONT SIZE ======"},
      {"60%", " ", "--->"},       {"====== FIND WORD MENU ======"},            {"yes"},
      {"no", " ", "--->"},
  };
  presentation_values values = select_parameters(table);
  EXPECT_TRUE(values.code_page_marked);
  EXPECT_EQ(values.code_page, "UTF-8");
  EXPECT_EQ(values.font_color, "blue");
  EXPECT_EQ(values.font_size, "60%");
  // A find word of 0 takes the default, 1.
  EXPECT_EQ(values.find_word, 1);
}

}  // namespace
}  // namespace docbase
