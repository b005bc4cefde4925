#include "run/target_site.h"

#include <vector>

#include "run/run_values.h"
#include "run/scripted_console.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::captured_console;
using testing::scripted_keys;

TEST(target_site_test, first_field_of_the_typed_line) {
  struct case_ {
    std::string line;
    std::string field;
  };
  const std::vector<case_> cases = {
      {"", ""},
      {"   \t ", ""},
      {"www.example.org", "www.example.org"},
      {"  \twww.example.org", "www.example.org"},
      {"www.example.org  ", "www.example.org  "},
      {"www.example.org, more", "www.example.org"},
      {",www.example.org", ""},
      {"\"a, b \" rest, c", "a, b "},
      {"  \"unclosed, quote", "unclosed, quote"},
      {"we\"b,site", "we\"b"},
      {"HTTP://Example.ORG/a b", "HTTP://Example.ORG/a b"},
      {"h\xc3\xa9llo.example", "h\xc3\xa9llo.example"},
      {std::string(5000, 'a') + ",b", std::string(4096, 'a')},
      {"\"" + std::string(5000, 'q') + "\"", std::string(4096, 'q')},
  };
  for (const case_& c : cases) EXPECT_EQ(parse_target_field(c.line), c.field) << c.line;
}

TEST(target_site_test, prompt_reads_the_line_after_keys_typed_ahead) {
  // Two keys that a key prompt takes, the typed line, a key for later.
  scripted_keys keys("12  www.Site.org  ,rest\r\nz");
  captured_console console;
  EXPECT_EQ(poll_key(), "1");
  EXPECT_EQ(poll_key(), "2");
  ask_target_site();
  EXPECT_EQ(the_run().target_site, "www.Site.org  ");
  EXPECT_EQ(console.text(),
            "\n"
            "-----------------------\n"
            "\n"
            "The program enables targeted search.\n"
            "Google search phrases will be targeted to a specific web address.\n"
            "If the destination web address is not specified, Google search will run all over the web.\n"
            "\n"
            "web address for destination search (example: www.example.com) = ? \n");
  EXPECT_EQ(poll_key(), "z");
  EXPECT_TRUE(input_ended());
}

TEST(target_site_test, enter_alone_or_no_line_at_all_gives_an_empty_site) {
  for (const char* typed : {"\n", ""}) {
    scripted_keys keys(typed);
    captured_console console;
    the_run().target_site = "left over";
    ask_target_site();
    EXPECT_EQ(the_run().target_site, "");
  }
}

}  // namespace
}  // namespace docbase
