#include "output/key_word_index.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "output/contents_page.h"
#include "output_fixture.h"

namespace docbase::testing {
namespace {

std::string record(const std::string& id, const std::string& page, int line, int column, const std::string& word,
                   int occurrence) {
  char place[40];
  std::snprintf(place, sizeof place, "\"%10d\",\"%6d\"", line, column);
  return "\"" + id + "\",\"" + page + "\"," + place + ",\"" + word + "\",\"" + id + "\",\"" +
         std::to_string(occurrence) + "\"\r\n";
}

std::string id_of(int number) {
  char id[16];
  std::snprintf(id, sizeof id, "id%08d", number);
  return id;
}

std::vector<std::string> promotional_lines() {
  return {"<br>",
          "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAMS </b>",
          "<br>",
          "<br> Our programs are intended for companis who want to consolidate their brand through free "
          "distribution of the programs.",
          "<br> Advertising messages and search links in the programs are tailored to each customer individually.",
          "<br>",
          "<br> PLACEMENT OF ADVERTISING MESSAGES",
          "<br> The programs read advertising messages from the web address specified by the buyer when ordering.",
          "<br> Advertisement messages are placed in the all-words index and other output files.",
          "<br>",
          "<br> GOOGLE SEARCH PHRASES",
          "<br> The programs generate Google search strings for all words in the all-words index and target the web "
          "address specified by the buyer when ordering.",
          "<br>",
          "<br> Remember: the all-words index file is accessible while reading output file, just by double-clicking "
          "on any word.",
          "<br> More info at:",
          "<br> <a href=\"https://www.example.org\">https://www.example.org</a>",
          "<br> <a href=\"https://www.example.net\">https://www.example.net</a>",
          "<br>"};
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// The word ids of the entries that a promotional block follows.
std::vector<std::string> entries_before_blocks(const std::string& page) {
  std::vector<std::string> found;
  std::string last_id;
  for (const std::string& line : lines_of(page)) {
    std::size_t at = line.find("\" id=\"");
    if (at != std::string::npos) last_id = line.substr(at + 6, 10);
    if (line == "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAMS </b>" && !last_id.empty()) found.push_back(last_id);
  }
  return found;
}

class key_word_index_test : public output_test {};

TEST_F(key_word_index_test, page_with_its_entry_forms_and_the_contents_page) {
  the_run().group_count = 2;
  write_file("wrd_14_2.txt", record("id00000004", "page_02.htm", 3, 5, "Word", 1) +
                                 record("id00000004", "page_02.htm", 4, 5, "word", 2) +
                                 record("id00000004", "page_02.htm", 7, 9, "word", 3) +
                                 record("id00000004", "page_03.htm", 2, 5, "WORD", 4) +
                                 record("id00000007", "page_03.htm", 6, 5, "zebra", 1) +
                                 record("id00000007", "page_03.htm", 8, 5, "zebra", 2));
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "page_02.htm", "page_03.htm"}));

  write_key_word_index_page(2);

  std::vector<std::string> expected = head_lines("index of key words");
  append(expected, promotional_lines());
  append(expected, description_lines());
  append(expected, {"<br><br>", "<a href=\"files_list.htm\"> Content </a><br>", "<br>",
                    "<br>",
                    "<a href=\"page_02.htm#id00000004\" id=\"id00000004\">Word</a>&nbsp;&nbsp;&nbsp; (page_02.htm, 3)",
                    "&nbsp;&nbsp;<a href=\"s_2.htm#id00000004_1\">s_2</a>",
                    "&nbsp;&nbsp;<a href=\"index.htm#id00000004\"> index</a>",
                    "&nbsp;&nbsp;<a href=\"files_list.htm#page_02.htm\"> Content </a>",
                    "&nbsp;&nbsp; <a href=\"https://www.google.com/search?q=Word site:www.example.com\"> "
                    "www.example.com</a>",
                    "<br>",
                    "<a href=\"page_03.htm#id00000004\" id=\"id00000004\">WORD</a>&nbsp;&nbsp;&nbsp; (page_03.htm, 1)",
                    "&nbsp;&nbsp;<a href=\"s_2.htm#id00000004_4\">s_2</a>",
                    "&nbsp;&nbsp;<a href=\"index.htm#id00000004\"> index</a>",
                    "&nbsp;&nbsp;<a href=\"files_list.htm#page_03.htm\"> Content </a>",
                    "&nbsp;&nbsp; <a href=\"https://www.google.com/search?q=WORD site:www.example.com\"> "
                    "www.example.com</a>",
                    "<a href=\"page_03.htm#id00000007\" id=\"id00000007\">zebra</a>&nbsp;&nbsp;&nbsp; (page_03.htm, "
                    "2)<br>",
                    "</body>", "</html>"});
  EXPECT_EQ(read_file("i_2.htm"), crlf(expected));

  std::vector<std::string> contents = head_lines("index of key words");
  append(contents, description_lines());
  append(contents, {"<br>", "<a href=\"page_01.htm\"><span id = \"page_01.htm\" >page_01.htm</span></a><br>",
                    "<a href=\"page_02.htm\"><span id = \"page_02.htm\" >page_02.htm</span></a><br>",
                    "<a href=\"page_03.htm\"><span id = \"page_03.htm\" >page_03.htm</span></a><br>", "<br><br>",
                    "</body>", "</html>"});
  EXPECT_EQ(read_file("files_list.htm"), crlf(contents));
}

TEST_F(key_word_index_test, a_single_record_run_is_one_line_and_without_program_site_entries_have_five_lines) {
  the_run().program_site = "";
  write_file("wrd_14_1.txt", record("id00000001", "page_01.htm", 3, 5, "alpha", 1) +
                                 record("id00000002", "page_01.htm", 3, 11, "beta", 1) +
                                 record("id00000002", "page_01.htm", 5, 11, "beta", 2));
  write_key_word_index_page(1);
  std::string page = read_file("i_1.htm");
  EXPECT_NE(page.find(crlf({"<br>", "<br>",
                            "<a href=\"page_01.htm#id00000001\" id=\"id00000001\">alpha</a>&nbsp;&nbsp;&nbsp; "
                            "(page_01.htm, 1)",
                            "&nbsp;&nbsp;<a href=\"s_1.htm#id00000001_1\">s_1</a>",
                            "&nbsp;&nbsp;<a href=\"index.htm#id00000001\"> index</a>",
                            "&nbsp;&nbsp;<a href=\"files_list.htm#page_01.htm\"> Content </a>",
                            "<a href=\"page_01.htm#id00000002\" id=\"id00000002\">beta</a>&nbsp;&nbsp;&nbsp; "
                            "(page_01.htm, 2)<br>",
                            "</body>", "</html>"})),
            std::string::npos);

  write_file("wrd_14_1.txt", record("id00000001", "page_01.htm", 3, 5, "alpha", 1) +
                                 record("id00000001", "page_01.htm", 3, 11, "Alpha", 2));
  write_key_word_index_page(1);
  EXPECT_TRUE(read_file("i_1.htm").ends_with(
      crlf({"<br>", "<a href=\"page_01.htm#id00000001\" id=\"id00000001\">alpha</a>&nbsp;&nbsp;&nbsp; (page_01.htm, "
                    "2)<br>",
            "</body>", "</html>"})));
}

TEST_F(key_word_index_test, a_group_without_records_has_no_entry) {
  write_file("wrd_14_1.txt", "");
  write_key_word_index_page(1);
  std::vector<std::string> expected = head_lines("index of key words");
  append(expected, promotional_lines());
  append(expected, description_lines());
  append(expected, {"<br><br>", "<a href=\"files_list.htm\"> Content </a><br>", "<br>", "</body>", "</html>"});
  EXPECT_EQ(read_file("i_1.htm"), crlf(expected));
}

// 150 entries in the first group's page: the block after its 101st, and 48
// counted at its end (the last entry is not counted); the second group's page
// then gets the block after its 53rd entry, the next one 101 entries later.
TEST_F(key_word_index_test, promotional_block_after_every_101st_entry_of_the_run) {
  std::string first;
  for (int i = 1; i <= 150; ++i) first += record(id_of(i), "page_01.htm", i, 5, "word" + std::to_string(i), 1);
  std::string second;
  for (int i = 1; i <= 160; ++i) second += record(id_of(i), "page_02.htm", i, 5, "word" + std::to_string(i), 2);
  write_file("wrd_14_1.txt", first);
  write_file("wrd_14_2.txt", second);

  write_key_word_index_page(1);
  write_key_word_index_page(2);

  EXPECT_EQ(entries_before_blocks(read_file("i_1.htm")), std::vector<std::string>{id_of(101)});
  EXPECT_EQ(entries_before_blocks(read_file("i_2.htm")), (std::vector<std::string>{id_of(53), id_of(154)}));
  std::string page = read_file("i_2.htm");
  std::size_t block = page.find(crlf(promotional_lines()), page.find("id=\"" + id_of(53) + "\""));
  std::size_t next_entry = page.find("id=\"" + id_of(54) + "\"");
  ASSERT_NE(block, std::string::npos);
  // The block follows the entry's last line and precedes the next entry's "<br>".
  EXPECT_TRUE(page.substr(0, block).ends_with("www.example.com</a>\r\n"));
  EXPECT_EQ(page.substr(block + crlf(promotional_lines()).size(),
                        next_entry - block - crlf(promotional_lines()).size()),
            "<br>\r\n<a href=\"page_02.htm#" + id_of(54) + "\" ");
}

TEST_F(key_word_index_test, contents_page_writes_every_list_line_as_read) {
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "", "Page_03.htm"}));
  write_contents_page();
  std::vector<std::string> expected = head_lines("index of key words");
  append(expected, description_lines());
  append(expected, {"<br>", "<a href=\"page_01.htm\"><span id = \"page_01.htm\" >page_01.htm</span></a><br>",
                    "<a href=\"\"><span id = \"\" ></span></a><br>",
                    "<a href=\"Page_03.htm\"><span id = \"Page_03.htm\" >Page_03.htm</span></a><br>", "<br><br>",
                    "</body>", "</html>"});
  EXPECT_EQ(read_file("files_list.htm"), crlf(expected));
}

}  // namespace
}  // namespace docbase::testing
