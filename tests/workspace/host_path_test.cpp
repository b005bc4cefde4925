#include "workspace/host_path.h"

#include "records/record_file.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::write_file;

class host_path_test : public testing::temp_folder_test {};

TEST_F(host_path_test, maps_program_paths_below_the_current_folder) {
  write_file("Htm_In/Page_01.htm", "");
  struct case_ {
    const char* program_path;
    std::optional<std::string> host;
  };
  const case_ cases[] = {
      {"htm_in\\page_01.htm", "Htm_In/Page_01.htm"},
      {"HTM_IN/PAGE_01.HTM", "Htm_In/Page_01.htm"},
      {"htm_in\\", "Htm_In"},
      {"htm_in\\new.txt", "Htm_In/new.txt"},
      {".\\htm_in\\.\\x", "Htm_In/x"},
      {"", "."},
      {"..\\x", std::nullopt},
      {"htm_in\\..\\x", std::nullopt},
      {"\\x", std::nullopt},
      {"/etc/passwd", std::nullopt},
      {"C:\\x", std::nullopt},
      {"c:x", std::nullopt},
  };
  for (const case_& c : cases) {
    auto host = host_path(c.program_path);
    ASSERT_EQ(host.has_value(), c.host.has_value()) << c.program_path;
    if (host) {
      EXPECT_EQ(host->string(), *c.host) << c.program_path;
    }
  }
  EXPECT_FALSE(host_path(std::string_view("a\0b", 3)).has_value());
}

TEST_F(host_path_test, name_lookup_follows_changes_made_inside_and_outside_the_process) {
  record_file file;
  for (int i = 0; i < 50; ++i) {
    file.open_for_output("f_" + std::to_string(i) + ".txt");
    file.close();
  }
  write_file("Outside.TXT", "made by another program");
  EXPECT_EQ(host_path("outside.txt")->string(), "Outside.TXT");
  file.open_for_output("Made_Here.txt");
  file.close();
  EXPECT_EQ(host_path("MADE_HERE.TXT")->string(), "Made_Here.txt");
  std::filesystem::remove("Made_Here.txt");
  note_folder_changed("Made_Here.txt");
  EXPECT_EQ(host_path("MADE_HERE.TXT")->string(), "MADE_HERE.TXT");
}

TEST(unaddressable_names, names_no_command_line_can_hold) {
  EXPECT_FALSE(is_unaddressable_name("notes v2.txt"));
  EXPECT_FALSE(is_unaddressable_name("\xC3\xA9t\xC3\xA9.txt"));
  for (const char* name : {"..\\..\\x.txt", "a\"b.txt", "a\nb.txt", "a\tb.txt", "a\rb.txt"})
    EXPECT_TRUE(is_unaddressable_name(name)) << name;
}

}  // namespace
}  // namespace docbase
