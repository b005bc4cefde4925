#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

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

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// True when the lines hold the expected ones in this order, others between.
bool holds_lines_in_order(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  std::size_t next = 0;
  for (const std::string& line : lines)
    if (next < expected.size() && line == expected[next]) ++next;
  return next == expected.size();
}

// True when text holds the parts in this order.
bool holds_in_order(const std::string& text, const std::vector<std::string>& parts) {
  std::size_t at = 0;
  for (const std::string& part : parts) {
    at = text.find(part, at);
    if (at == std::string::npos) return false;
    at += part.size();
  }
  return true;
}

class pages_e2e_test : public testing::temp_folder_test {};

// The numbered pages in htm_out are the reading pages made from the
// normalised pages: the lines of the normalised page that hold no word stand
// in them unchanged, and its words appear in order.
TEST_F(pages_e2e_test, a_run_numbers_the_normalised_pages_with_the_promotional_page_first) {
  write_file(folder() / "txt_in" / "My-Story.txt",
             "Hello world  \r\n"
             "   indented line\r\n"
             "\tTabbed\tword\r\n"
             "\r\n"
             "<b>bold</b> end");
  auto input_before = files_in(folder() / "txt_in");

  auto result = run_program(folder(), "1111\n1");

  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(holds_in_order(result.out, {"----- dir htm_wrk -----\n", "My_Story.htm\n", "\n",
                                          "-----------------------\n", "number of files = 1\n", "\n"}))
      << result.out;
  EXPECT_TRUE(holds_in_order(result.out, {"processed 1%\n", "processed 10%\n"}));
  EXPECT_EQ(files_in(folder() / "txt_in"), input_before);
  EXPECT_EQ(numbered_pages(folder() / "htm_out"), (std::set<std::string>{"page_01.htm", "page_02.htm"}));

  std::string promoted = read_file(folder() / "htm_out" / "page_01.htm");
  EXPECT_TRUE(holds_lines_in_order(lines_of(promoted),
                                   {"<br><html>", "<br><head>",
                                    "<br><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">",
                                    // A one-word link text gives no word: the link lines stay whole.
                                    "<br> <a href=\"https://www.example.org\">https://www.example.org</a>",
                                    "<br> <a href=\"https://www.example.net\">https://www.example.net</a>",
                                    "<br></body>", "<br>", "<br>", "<br></html>"}))
      << promoted;
  EXPECT_TRUE(holds_in_order(promoted, {"advertising", "message", "PROMOTE", "YOUR", "BRAND"}));

  std::string page = read_file(folder() / "htm_out" / "page_02.htm");
  EXPECT_TRUE(holds_lines_in_order(lines_of(page), {"<br><HTML>", "<br><head>",
                                                     "<br><meta http-equiv=\"content-type\"  content=\"text/HTML; "
                                                     "charset=utf-8\">",
                                                     "<br><title>", "<br></title>", "<br></head>", "<br><body>",
                                                     "<br></body>", "<br></html>"}))
      << page;
  EXPECT_TRUE(holds_in_order(page, {"htm_wrk\\My_Story.htm", "Hello", "world", "\r\n<br>&nbsp;&nbsp;&nbsp;   ",
                                    "indented", "line", "\r\n<br>", "Tabbedword", "\r\n<br>\r\n<br><b>", "bold",
                                    "</b>", "end", "<br></body>"}))
      << page;
  EXPECT_EQ(page.find("<pre>"), std::string::npos);
  EXPECT_EQ(page.find('\t'), std::string::npos);
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
  EXPECT_NE(read_file(folder() / "htm_out" / "page_01.htm").find("PROMOTE"), std::string::npos);
  std::string second = read_file(folder() / "htm_out" / "page_02.htm");
  std::string third = read_file(folder() / "htm_out" / "page_03.htm");
  EXPECT_TRUE(holds_in_order(second, {"htm_wrk\\a_b.htm", "second", "text"})) << second;
  EXPECT_TRUE(holds_in_order(third, {"htm_wrk\\file_page.htm", "first", "text"})) << third;
}

}  // namespace
}  // namespace docbase
