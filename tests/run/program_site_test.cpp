#include "run/program_site.h"

#include <vector>

#include "run/run_values.h"
#include "run/scripted_console.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::captured_console;
using testing::scripted_keys;

TEST(program_site_test, derived_forms_of_the_program_name) {
  struct case_ {
    const char* program_name;
    const char* program_file_name;
    const char* site_name;
    const char* program_site;
  };
  const std::vector<case_> cases = {
      {"www.example.com.cpp", "www.example.com.exe", "www.example.com", "www.example.com"},
      {"www.www.example.com.cpp", "www.www.example.com.exe", "www.www.example.com", "www.example.com"},
      {"shop.www.example.com.cpp", "shop.www.example.com.exe", "shop.www.example.com", "www.example.com"},
      {"WWW.Example.COM.Bas", "WWW.Example.COM.exe", "WWW.Example.COM", "www.example.com"},
      {"http.www.example.com.cpp", "http.www.example.com.exe", "http.www.example.com", "www.example.com"},
      {"http.example.com.cpp", "http.example.com.exe", "http.example.com", "http://example.com"},
      {"http.http.example.com.cpp", "http.http.example.com.exe", "http.http.example.com", "http://example.com"},
      {"https.example.com.cpp", "https.example.com.exe", "https.example.com", "https://example.com"},
      // "http." occurs inside "https.http.", and the http rule comes first
      {"https.http.example.com.cpp", "https.http.example.com.exe", "https.http.example.com", "http://example.com"},
      {"example.com.cpp", "example.com.exe", "example.com", ""},
      {"wwwexample.com.cpp", "wwwexample.com.exe", "wwwexample.com", ""},
  };
  for (const case_& c : cases) {
    site_identity identity = derive_site_identity(c.program_name);
    EXPECT_EQ(identity.program_file_name, c.program_file_name) << c.program_name;
    EXPECT_EQ(identity.site_name, c.site_name) << c.program_name;
    EXPECT_EQ(identity.program_site, c.program_site) << c.program_name;
  }
}

TEST(program_site_test, prints_name_start_path_and_site) {
  the_run().start_path = "C:\\docs\\www.example.com.exe";
  captured_console console;
  establish_site_of("www.Example.com.cpp");
  EXPECT_EQ(console.text(), "www.Example.com.cpp\n\nC:\\docs\\www.example.com.exe\nwww.example.com\n\n");
  EXPECT_EQ(the_run().program_file_name, "www.Example.com.exe");
  EXPECT_EQ(the_run().site_name, "www.Example.com");
  EXPECT_EQ(the_run().program_site, "www.example.com");
}

TEST(program_site_test, name_without_prefix_shows_rename_instructions_and_ends_on_1) {
  the_run().start_path = "./example.com.exe";
  scripted_keys keys("2x1z");
  captured_console console;
  EXPECT_THROW(establish_site_of("example.com.cpp"), run_ended);
  EXPECT_EQ(console.text(),
            "example.com.cpp\n"
            "\n"
            "./example.com.exe\n"
            "\n"
            "----------------------------\n"
            "The program creates Google search queries that point to (your) website, which is summarized in the "
            "program name.\n"
            "Therefore, you must rename the program according to the name of (your) website, but the condition is "
            "that the\n"
            "new program name begins with www...(like www.example.com.exe), http...(like http.example.com.exe, or "
            "https...(like https.example.com.exe)\n"
            "BE CAREFUL AND COPY AND RENAME THE PROGRAM ACCORDING TO THE INSTRUCTIONS!\n"
            "----------------------------\n"
            "\n"
            "<1> = continue and end\n");
  // "2" and "x" were passed over; the key after "1" is still waiting.
  EXPECT_EQ(poll_key(), "z");
}

}  // namespace
}  // namespace docbase
