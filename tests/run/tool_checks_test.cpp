#include "run/tool_checks.h"

#include "run/run_values.h"
#include "run/scripted_console.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::captured_console;
using testing::scripted_keys;
using testing::write_file;

class tool_checks_test : public testing::temp_folder_test {};

constexpr const char* heading =
    "---------------------------\n"
    "Checking the accessibility of some urgently needed programs:\n"
    "cmd.exe, find.exe, findstr.exe, sort.exe\n";

TEST_F(tool_checks_test, nonblank_lines_are_counted_after_leading_blanks) {
  write_file("lines.txt", "a\r\n   \r\n\r\n  b\r\n\t\r\nlast");
  EXPECT_EQ(count_nonblank_lines("lines.txt"), 4);
  EXPECT_EQ(count_nonblank_lines("missing.txt"), 0);
}

TEST_F(tool_checks_test, all_probes_pass_beside_the_program_file) {
  write_file("www.example.com.exe", "program");
  captured_console console;
  check_tools();
  EXPECT_EQ(console.text(), std::string(heading) + "cmd\nfind\nfindstr\nsort\n");
}

TEST_F(tool_checks_test, without_an_exe_name_the_find_probe_fails_and_waits_for_1) {
  scripted_keys keys("2 1");
  captured_console console;
  EXPECT_THROW(check_tools(), run_ended);
  EXPECT_EQ(console.text(), std::string(heading) +
                                "cmd\n"
                                "find\n"
                                "---------------------\n"
                                "Checking for find.exe!\n"
                                "The system path to the program is most likely to be configured.\n"
                                "<1> = continue and end\n");
}

}  // namespace
}  // namespace docbase
