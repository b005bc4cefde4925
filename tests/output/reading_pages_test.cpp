#include "output/reading_pages.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "output_fixture.h"

namespace docbase::testing {
namespace {

std::string target(const std::string& id, const std::string& page, const std::string& word) {
  return "<span id=\"" + id + "\" type = \"text/javascript\"ondblclick = \"window.open('" + page + "#" + id +
         "'); window.event.cancelbubble = true;\">" + word + "</span>";
}

std::string record(const std::string& page, int line, int column, const std::string& word, const std::string& id,
                   int occurrence, const std::string& next_page = "") {
  char place[40];
  std::snprintf(place, sizeof place, "\"%10d\",\"%6d\"", line, column);
  return "\"" + page + "\"," + place + ",\"" + word + "\",\"" + id + "\",\"" + std::to_string(occurrence) +
         "\",\"" + next_page + "\"\r\n";
}

class reading_pages_test : public output_test {};

// A run of one text: the promotional page page_01.htm and page_02.htm, both in
// group 1, as the normalised pages and the group word file hold them.
TEST_F(reading_pages_test, one_text_run_gives_the_reading_pages_line_by_line) {
  the_run().find_word = 0;
  write_file("page_01.htm", crlf({"<br><html>", "<br><body>", "<br>Welcome here", "<br></body>", "<br></html>"}));
  write_file("page_02.htm", crlf({"<br><HTML>", "<br><head>",
                                  "<br><meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">",
                                  "<br><title>", "<br>htm_wrk\\notes.htm", "<br></title>", "<br></head>",
                                  "<br><body>", "<br>Apples are red.", "<br></body>", "<br></html>"}));
  write_file("wrd_24_1.txt", record("page_01.htm", 3, 5, "Welcome", "id00000004", 1) +
                                 record("page_01.htm", 3, 13, "here", "id00000002", 1) +
                                 record("page_02.htm", 5, 5, "htm_wrk\\notes.htm", "id00000003", 1) +
                                 record("page_02.htm", 9, 5, "Apples", "id00000000", 1) +
                                 record("page_02.htm", 9, 12, "are", "id00000001", 1) +
                                 record("page_02.htm", 9, 16, "red.", "id00000005", 1));
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "page_02.htm"}));

  write_reading_pages(1);

  std::vector<std::string> first = {"<br><html>"};
  append(first, script_lines(false));
  append(first, {"<br>", "<a href=\"page_02.htm\"> Next </a> ", "<a href=\"files_list.htm\"> Content </a><br>",
                 "<br><body>", "<br>", target("id00000004", "page_01.htm", "Welcome"), " ",
                 target("id00000002", "page_01.htm", "here"), "",
                 // Finished because the next record names another page: Next without a blank.
                 "<br>", "<a href=\"page_02.htm\"> Next </a>", "<a href=\"files_list.htm\"> Content </a><br>",
                 "<br></body>", "<br></html>"});
  EXPECT_EQ(read_file("page_01.htm"), crlf(first));

  std::vector<std::string> second = {
      "<br><HTML>", "<br><head>", "<br><meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">",
      "<br><title>", "<br>", target("id00000003", "page_02.htm", "htm_wrk\\notes.htm"), "", "<br></title>",
      "<br></head>"};
  append(second, script_lines(false));
  append(second, {"<br>", "<a href=\"page_01.htm\"> Before </a> ", "<a href=\"files_list.htm\"> Content </a><br>",
                  "<br><body>", "<br>", target("id00000000", "page_02.htm", "Apples"), " ",
                  target("id00000001", "page_02.htm", "are"), " ", target("id00000005", "page_02.htm", "red."), "",
                  "<br>", "<a href=\"page_01.htm\"> Before </a> ", "<a href=\"files_list.htm\"> Content </a><br>",
                  "<br></body>", "<br></html>"});
  EXPECT_EQ(read_file("page_02.htm"), crlf(second));

  // The group's first page is backed up as it was; the last, finished by the
  // end of the group, is not.
  EXPECT_EQ(read_file("page_01_01.htm"),
            crlf({"<br><html>", "<br><body>", "<br>Welcome here", "<br></body>", "<br></html>"}));
  EXPECT_FALSE(std::filesystem::exists("page_02_01.htm"));
}

// Words at column 1, text that stays unindexed, and the last page of a group
// that has a next page in the contents list: its bottom Next ends with a blank.
TEST_F(reading_pages_test, he_said_hello_on_the_last_page_of_a_group) {
  the_run().find_word = 0;
  write_file("page_02.htm", crlf({"<br><body>", "He said hello.", "<br></body>"}));
  write_file("wrd_24_1.txt",
             record("page_02.htm", 2, 1, "He", "id00000001", 1) + record("page_02.htm", 2, 4, "said", "id00000002", 1));
  write_file("group_page_all_sort.txt", crlf({"page_01.htm", "page_02.htm", "page_03.htm"}));

  write_reading_pages(1);

  std::vector<std::string> expected = script_lines(false);
  append(expected, {"<br>", "<a href=\"page_01.htm\"> Before </a> ", "<a href=\"page_03.htm\"> Next </a> ",
                    "<a href=\"files_list.htm\"> Content </a><br>", "<br><body>", "",
                    target("id00000001", "page_02.htm", "He"), " ", target("id00000002", "page_02.htm", "said"),
                    " hello.", "<br>", "<a href=\"page_01.htm\"> Before </a> ", "<a href=\"page_03.htm\"> Next </a> ",
                    "<a href=\"files_list.htm\"> Content </a><br>", "<br></body>"});
  EXPECT_EQ(read_file("page_02.htm"), crlf(expected));
}

// page_03.htm and page_04.htm as the hidden navigation test below expects them.
void check_hidden_navigation_pages() {
  auto hidden = [](const std::string& id, const std::string& n, const std::string& step,
                   const std::string& next_page) {
    std::vector<std::string> lines = {"<span hidden id=\"" + id + "\">", "(" + n + ")(<a href=\"#" + id + "_" + step +
                                                                             (step == n ? "\"></a>" : "\">&gt;</a>,"),
                                      "<a href=\"i_2.htm#" + id + "\">i</a>,",
                                      "<a href=\"s_2.htm#" + id + "_" + n + "\">s</a>,"};
    if (next_page.empty()) {
      lines.push_back("<a href=\"files_list.htm\">c)</a></span>");
    } else {
      lines.push_back("<a href=\"files_list.htm\">c</a>,");
      lines.push_back("<a href=\"" + next_page + "#" + id + "\">&gt;&gt;)</a></span>");
    }
    lines.push_back("<span id=\"" + id + "_" + n + "\"></span>");
    return lines;
  };
  std::vector<std::string> expected = script_lines(true);
  append(expected, {"<br>", "<a href=\"page_04.htm\"> Next </a> ", "<a href=\"files_list.htm\"> Content </a><br>",
                    "<br><body>", "<br>", target("id00000007", "page_03.htm", "Echo")});
  append(expected, hidden("id00000007", "4", "5", "page_05.htm"));
  append(expected, {" ", target("id00000007", "page_03.htm", "echo")});
  append(expected, hidden("id00000007", "5", "6", "page_05.htm"));
  append(expected, {" ", target("id00000007", "page_03.htm", "ECHO")});
  append(expected, hidden("id00000007", "6", "6", "page_05.htm"));
  append(expected, {" ", target("id00000009", "page_03.htm", "Pages_list"), " ",
                    target("id00000009", "page_03.htm", "pages_list")});
  append(expected, hidden("id00000009", "2", "2", "page_04.htm"));
  append(expected, {"", "<br>", target("id00000011", "page_03.htm", "solo")});
  append(expected, hidden("id00000011", "1", "1", ""));
  append(expected, {"", "<br>", "<a href=\"page_04.htm\"> Next </a>", "<a href=\"files_list.htm\"> Content </a><br>",
                    "<br></body>"});
  EXPECT_EQ(read_file("page_03.htm"), crlf(expected));

  std::vector<std::string> last = script_lines(true);
  append(last, {"<br>", "<a href=\"page_03.htm\"> Before </a> ", "<a href=\"page_05.htm\"> Next </a> ",
                "<a href=\"files_list.htm\"> Content </a><br>", "<br><body>", "<br>",
                target("id00000009", "page_04.htm", "pages_list")});
  append(last, hidden("id00000009", "3", "3", ""));
  append(last, {"", "<br>", "<a href=\"page_03.htm\"> Before </a> ", "<a href=\"page_05.htm\"> Next </a> ",
                "<a href=\"files_list.htm\"> Content </a><br>", "<br></body>"});
  EXPECT_EQ(read_file("page_04.htm"), crlf(last));
}

// Occurrences 4, 5 and 6 of one word on a page, Pages_list in both letter
// cases, a word that occurs once, and a word whose next occurrence is on the
// next page (its last one on this page links nowhere further). The same also
// when a page has more records than are read ahead.
TEST_F(reading_pages_test, hidden_navigation_links_the_occurrences_of_a_page) {
  for (std::size_t limit : {default_read_ahead_limit, std::size_t{1}, std::size_t{2}, std::size_t{4}}) {
    SCOPED_TRACE(limit);
    set_read_ahead_limit(limit);
    write_file("page_03.htm", crlf({"<br><body>", "<br>Echo echo ECHO Pages_list pages_list", "<br>solo",
                                    "<br></body>"}));
    write_file("page_04.htm", crlf({"<br><body>", "<br>pages_list", "<br></body>"}));
    write_file("wrd_24_2.txt", record("page_03.htm", 2, 5, "Echo", "id00000007", 4, "page_05.htm") +
                                   record("page_03.htm", 2, 10, "echo", "id00000007", 5, "page_05.htm") +
                                   record("page_03.htm", 2, 15, "ECHO", "id00000007", 6, "page_05.htm") +
                                   record("page_03.htm", 2, 20, "Pages_list", "id00000009", 1, "page_04.htm") +
                                   record("page_03.htm", 2, 31, "pages_list", "id00000009", 2, "page_04.htm") +
                                   record("page_03.htm", 3, 5, "solo", "id00000011", 1) +
                                   record("page_04.htm", 2, 5, "pages_list", "id00000009", 3));
    write_file("group_page_all_sort.txt", crlf({"page_03.htm", "page_04.htm", "page_05.htm"}));
    write_reading_pages(2);
    check_hidden_navigation_pages();
  }
  set_read_ahead_limit(default_read_ahead_limit);
}

// The top navigation goes before the body-start line also when that line holds
// the page's first word; the pieces of the line follow it.
TEST_F(reading_pages_test, first_word_on_the_body_line_itself) {
  the_run().find_word = 0;
  write_file("page_01.htm", crlf({"<br><body>Start", "<br></body>"}));
  write_file("wrd_24_1.txt", record("page_01.htm", 1, 11, "Start", "id00000000", 1));
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));

  write_reading_pages(1);

  std::vector<std::string> expected = script_lines(false);
  append(expected, {"<br>", "<a href=\"files_list.htm\"> Content </a><br>", "<br><body>",
                    target("id00000000", "page_01.htm", "Start"), "", "<br>",
                    "<a href=\"files_list.htm\"> Content </a><br>", "<br></body>"});
  EXPECT_EQ(read_file("page_01.htm"), crlf(expected));
}

TEST_F(reading_pages_test, an_empty_group_word_file_touches_no_page) {
  write_file("page_01.htm", crlf({"<br><body>", "<br>Nothing here", "<br></body>"}));
  write_file("wrd_24_2.txt", "");
  write_file("group_page_all_sort.txt", crlf({"page_01.htm"}));

  write_reading_pages(2);

  EXPECT_EQ(read_file("page_01.htm"), crlf({"<br><body>", "<br>Nothing here", "<br></body>"}));
  EXPECT_FALSE(std::filesystem::exists("page_01_02.htm"));
  EXPECT_FALSE(std::filesystem::exists("page_01_01.htm"));
}

TEST_F(reading_pages_test, group_word_files_are_kept_in_wrd_24_and_stay_as_they_were) {
  write_file("wrd_24_1.txt", record("page_01.htm", 3, 5, "Welcome", "id00000004", 1));
  write_file("wrd_24_2.txt", record("page_02.htm", 3, 5, "Other", "id00000005", 1));
  keep_group_copies();
  EXPECT_EQ(read_file("wrd_24/wrd_24_1.txt"), record("page_01.htm", 3, 5, "Welcome", "id00000004", 1));
  EXPECT_EQ(read_file("wrd_24/wrd_24_2.txt"), record("page_02.htm", 3, 5, "Other", "id00000005", 1));

  // A second time the folder exists: it is emptied and filled again.
  write_file("wrd_24/wrd_24_9.txt", "left from an earlier run");
  write_file("wrd_24_2.txt", "");
  keep_group_copies();
  EXPECT_FALSE(std::filesystem::exists("wrd_24/wrd_24_9.txt"));
  EXPECT_EQ(read_file("wrd_24/wrd_24_2.txt"), "");
  EXPECT_EQ(read_file("wrd_24_1.txt"), record("page_01.htm", 3, 5, "Welcome", "id00000004", 1));
}

TEST(body_start_line, is_a_body_tag_after_a_bracket_and_blanks_only) {
  struct example {
    const char* line;
    bool body_start;
  };
  const example examples[] = {
      {"<body>", true},   {"<br><BODY>", true},  {"< body>", true},        {"<  Body bgcolor=x>", true},
      {"<p>body", false}, {"nobody <body>", false}, {"body <", false},     {"", false},
      {"<br>", false},    {"<a>somebody", false},
  };
  for (const example& e : examples) EXPECT_EQ(is_body_start_line(e.line), e.body_start) << e.line;
}

TEST_F(reading_pages_test, neighbours_come_from_the_contents_list_in_lower_case) {
  write_file("list.txt", crlf({"page_01.htm", "PAGE_02.htm", "page_03.htm"}));
  neighbour_index index;
  index.load("list.txt");
  std::string before = "x";
  std::string next = "y";
  index.find("page_01.htm", before, next);
  EXPECT_EQ(before, "");
  EXPECT_EQ(next, "page_02.htm");
  index.find("page_02.htm", before, next);
  EXPECT_EQ(before, "page_01.htm");
  EXPECT_EQ(next, "page_03.htm");
  index.find("page_03.htm", before, next);
  EXPECT_EQ(before, "page_02.htm");
  EXPECT_EQ(next, "");
  // A page that is not listed leaves both as they were.
  before = "kept";
  next = "also kept";
  index.find("page_09.htm", before, next);
  EXPECT_EQ(before, "kept");
  EXPECT_EQ(next, "also kept");
}

}  // namespace
}  // namespace docbase::testing
