#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "output/output_stages.h"
#include "output_fixture.h"
#include "run/console.h"

namespace docbase::testing {
namespace {

std::string record(const std::string& id, int group, const std::string& page, int line, int column,
                   const std::string& word, int occurrence) {
  char fields[80];
  std::snprintf(fields, sizeof fields, "\"%5d\",\"%s\",\"%10d\",\"%6d\"", group, page.c_str(), line, column);
  return "\"" + id + "\"," + fields + ",\"" + word + "\",\"" + std::to_string(occurrence) + "\"\r\n";
}

std::vector<std::string> index_head() {
  std::vector<std::string> lines = head_lines("index of key words");
  append(lines, description_lines());
  append(lines, {"<br><br>", "Use a combination of two keys (CTRL + F) to search.", "<br><br>"});
  return lines;
}

class all_words_index_test : public output_test {
 protected:
  // Runs the stage and returns what it printed.
  std::string write_index() {
    ::testing::internal::CaptureStdout();
    write_all_words_index();
    flush_console();
    return ::testing::internal::GetCapturedStdout();
  }
};

// Records in the order the group tables were written, which the stage sorts,
// and the same records sorted already.
TEST_F(all_words_index_test, entries_per_word_and_group_with_their_counts) {
  std::vector<std::string> records = {record("id00000003", 1, "page_01.htm", 4, 5, "Zebra", 1),
                                      record("id00000000", 1, "page_01.htm", 9, 5, "apple", 2),
                                      record("id00000000", 1, "page_01.htm", 3, 5, "Apple", 1),
                                      record("id00000003", 2, "page_03.htm", 2, 5, "zebra", 3),
                                      record("id00000000", 1, "page_02.htm", 1, 9, "apple", 3),
                                      record("id00000003", 1, "page_02.htm", 5, 5, "ZEBRA", 2),
                                      record("id00000005", 2, "page_03.htm", 7, 5, "last", 1)};
  std::vector<std::string> expected = index_head();
  append(expected,
         {"Apple", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000000\" id=\"id00000000\">(i_1,&nbsp;&nbsp;3)</a>", "<br>",
          "Zebra", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000003\" id=\"id00000003\">(i_1,&nbsp;&nbsp;2)</a>",
          "&nbsp;&nbsp;<a href=\"i_2.htm#id00000003\" id=\"id00000003\">(i_2,&nbsp;&nbsp;1)</a>", "<br>", "last",
          "&nbsp;&nbsp;<a href=\"i_2.htm#id00000005\" id=\"id00000005\">(i_2,&nbsp;&nbsp;1)</a>", "</body>",
          "</html>"});
  for (bool in_order : {false, true}) {
    SCOPED_TRACE(in_order);
    if (in_order) std::sort(records.begin(), records.end());
    std::string table;
    for (const std::string& line : records) table += line;
    write_file("wrd_15.txt", table);

    EXPECT_EQ(write_index(), "processed 70%\nprocessed 80%\n");
    EXPECT_EQ(read_file("index.htm"), crlf(expected));
  }
}

TEST_F(all_words_index_test, a_table_of_two_records_prints_no_80_percent) {
  write_file("wrd_15.txt", record("id00000001", 1, "page_01.htm", 4, 5, "word", 2) +
                               record("id00000001", 1, "page_01.htm", 3, 5, "Word", 1));
  EXPECT_EQ(write_index(), "processed 70%\n");
  std::vector<std::string> expected = index_head();
  append(expected, {"Word", "&nbsp;&nbsp;<a href=\"i_1.htm#id00000001\" id=\"id00000001\">(i_1,&nbsp;&nbsp;2)</a>",
                    "</body>", "</html>"});
  EXPECT_EQ(read_file("index.htm"), crlf(expected));
}

TEST_F(all_words_index_test, an_empty_table_gives_the_head_and_the_closing_lines) {
  write_file("wrd_15.txt", "");
  EXPECT_EQ(write_index(), "processed 70%\n");
  std::vector<std::string> expected = index_head();
  append(expected, {"</body>", "</html>"});
  EXPECT_EQ(read_file("index.htm"), crlf(expected));
}

}  // namespace
}  // namespace docbase::testing
