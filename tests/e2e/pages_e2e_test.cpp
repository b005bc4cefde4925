#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::run_program;
using testing::write_file;

std::map<std::string, std::string> files_in(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path().filename().string()] = read_file(entry.path());
  return files;
}

std::set<std::string> numbered_pages(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name.starts_with("page_")) names.insert(name);
  }
  return names;
}

// The promotional page as the normaliser leaves it: "<br>" in front of every
// line that does not begin with it.
const char* const normalised_promote_page =
    "<br><html>\r\n"
    "<br><head>\r\n"
    "<br><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
    "<br><title>advertising message</title>\r\n"
    "<br></head>\r\n"
    "<br><body>\r\n"
    "<br>\r\n"
    "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAMS </b>\r\n"
    "<br>\r\n"
    "<br> Our programs are intended for companis who want to consolidate their brand through free "
    "distribution of the programs.\r\n"
    "<br> Advertising messages and search links in the programs are tailored to each customer individually.\r\n"
    "<br>\r\n"
    "<br> PLACEMENT OF ADVERTISING MESSAGES\r\n"
    "<br> The programs read advertising messages from the web address specified by the buyer when ordering.\r\n"
    "<br> Advertisement messages are placed in the all-words index and other output files.\r\n"
    "<br>\r\n"
    "<br> GOOGLE SEARCH PHRASES\r\n"
    "<br> The programs generate Google search strings for all words in the all-words index and target the web "
    "address specified by the buyer when ordering.\r\n"
    "<br>\r\n"
    "<br> Remember: the all-words index file is accessible while reading output file, just by double-clicking "
    "on any word.\r\n"
    "<br> More info at:\r\n"
    "<br> <a href=\"https://www.example.org\">https://www.example.org</a>\r\n"
    "<br> <a href=\"https://www.example.net\">https://www.example.net</a>\r\n"
    "<br>\r\n"
    "<br></body>\r\n"
    "<br>\r\n"
    "<br>\r\n"
    "<br></html>\r\n";

class pages_e2e_test : public testing::temp_folder_test {};

TEST_F(pages_e2e_test, a_run_leaves_the_normalised_numbered_pages_in_htm_out) {
  write_file(folder() / "txt_in" / "My-Story.txt",
             "Hello world  \r\n"
             "   indented line\r\n"
             "\tTabbed\tword\r\n"
             "\r\n"
             "<b>bold</b> end");
  auto input_before = files_in(folder() / "txt_in");

  auto result = run_program(folder(), "1111\n1");

  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("number of files = 1\n"), std::string::npos);
  EXPECT_EQ(files_in(folder() / "txt_in"), input_before);
  EXPECT_EQ(numbered_pages(folder() / "htm_out"), (std::set<std::string>{"page_01.htm", "page_02.htm"}));
  EXPECT_EQ(read_file(folder() / "htm_out" / "page_01.htm"), normalised_promote_page);
  EXPECT_EQ(read_file(folder() / "htm_out" / "page_02.htm"),
            "<br><HTML>\r\n"
            "<br><head>\r\n"
            "<br><meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">\r\n"
            "<br><title>\r\n"
            "<br>htm_wrk\\My_Story.htm\r\n"
            "<br></title>\r\n"
            "<br></head>\r\n"
            "<br><body>\r\n"
            "<br>Hello world\r\n"
            "<br>&nbsp;&nbsp;&nbsp;   indented line\r\n"
            "<br>Tabbedword\r\n"
            "<br>\r\n"
            "<br><b>bold</b> end\r\n"
            "<br></body>\r\n"
            "<br></html>\r\n");
}

TEST_F(pages_e2e_test, texts_named_page_or_with_a_backslash_get_pages_of_their_own) {
  write_file(folder() / "txt_in" / "page.txt", "first text\n");
  write_file(folder() / "txt_in" / "a\\b.txt", "second text\n");
  auto input_before = files_in(folder() / "txt_in");

  auto result = run_program(folder(), "1111\n1");

  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("number of files = 2\n"), std::string::npos);
  EXPECT_EQ(files_in(folder() / "txt_in"), input_before);
  EXPECT_EQ(numbered_pages(folder() / "htm_out"),
            (std::set<std::string>{"page_01.htm", "page_02.htm", "page_03.htm"}));
  EXPECT_EQ(read_file(folder() / "htm_out" / "page_01.htm"), normalised_promote_page);
  std::string second = read_file(folder() / "htm_out" / "page_02.htm");
  std::string third = read_file(folder() / "htm_out" / "page_03.htm");
  EXPECT_NE(second.find("\r\n<br>htm_wrk\\a_b.htm\r\n"), std::string::npos) << second;
  EXPECT_NE(second.find("\r\n<br>second text\r\n"), std::string::npos) << second;
  EXPECT_NE(third.find("\r\n<br>htm_wrk\\file_page.htm\r\n"), std::string::npos) << third;
  EXPECT_NE(third.find("\r\n<br>first text\r\n"), std::string::npos) << third;
}

}  // namespace
}  // namespace docbase
