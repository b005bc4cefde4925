#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/word_extraction.h"

namespace docbase {
namespace {

// Every recorded word of the lines as "line:column:word"; a line that is
// skipped shows as "line:skipped".
std::vector<std::string> scan(const std::vector<std::string>& lines, bool& open_tag) {
  std::vector<std::string> found;
  page_scanner scanner(open_tag);
  for (const std::string& line : lines) {
    if (!scanner.take_line(line)) {
      found.push_back(std::to_string(scanner.line_number()) + ":skipped");
      continue;
    }
    scanner.collect_words([&](std::string_view word, std::size_t column, std::size_t) {
      found.push_back(std::to_string(scanner.line_number()) + ":" + std::to_string(column) + ":" +
                      std::string(word));
    });
  }
  return found;
}

std::vector<std::string> scan(const std::vector<std::string>& lines) {
  bool open_tag = false;
  return scan(lines, open_tag);
}

using words = std::vector<std::string>;

TEST(page_scanner, words_between_tags_and_blanks) {
  EXPECT_EQ(scan({"<br><title>advertising message</title>"}), (words{"1:12:advertising", "1:24:message"}));
  EXPECT_EQ(scan({"<br>one two three"}), (words{"1:5:one", "1:9:two", "1:13:three"}));
  EXPECT_EQ(scan({"<br>a of is the"}), (words{"1:13:the"}));
  EXPECT_EQ(scan({"<br>\xC3\xA9" "a of"}), (words{"1:5:\xC3\xA9" "a"}));
  EXPECT_EQ(scan({"<br>Hello, world. 2024"}), (words{"1:5:Hello,", "1:12:world.", "1:19:2024"}));
  EXPECT_EQ(scan({"<br>&nbsp; indented"}), (words{"1:5:&nbsp;", "1:12:indented"}));
  EXPECT_EQ(scan({"<br><b>bold</b>text more"}), (words{"1:8:bold", "1:16:text", "1:21:more"}));
  EXPECT_EQ(scan({"<HTML>", "<br><head>", ""}), words{});
}

TEST(page_scanner, text_before_the_first_tag_needs_a_blank) {
  EXPECT_EQ(scan({"abc<b>def</b>"}), (words{"1:7:def"}));
  EXPECT_EQ(scan({"abc <b>def</b>"}), (words{"1:1:abc", "1:8:def"}));
  EXPECT_EQ(scan({"abcdef", "ab", "one two"}), (words{"1:1:abcdef", "3:1:one", "3:5:two"}));
}

TEST(page_scanner, quotes_are_dropped_at_the_edges_and_turned_into_apostrophes_inside) {
  EXPECT_EQ(scan({"<br>\"quoted\" say\"s \"open"}), (words{"1:6:quoted", "1:14:say's", "1:21:open"}));
  EXPECT_EQ(scan({"<br>\"ab\" \"\"\"\"x"}), (words{"1:11:'''x"}));
}

TEST(page_scanner, a_cr_inside_a_word_becomes_a_blank_in_its_place) {
  EXPECT_EQ(scan({"<br>ab\rcd ef\rgh"}), (words{"1:5:ab cd", "1:11:ef gh"}));
}

TEST(page_scanner, link_text_of_one_word_ends_the_line) {
  EXPECT_EQ(scan({"<br><a href=\"x.htm\">Link</a> more words"}), words{});
  EXPECT_EQ(scan({"<br> <a href=\"https://www.example.org\">https://www.example.org</a>"}), words{});
  EXPECT_EQ(scan({"<br>before <a href=\"x.htm\">Link</a> more"}), (words{"1:5:before"}));
  EXPECT_EQ(scan({"<br><a href=\"x.htm\">two words</a> after"}),
            (words{"1:21:two", "1:25:words", "1:35:after"}));
}

TEST(page_scanner, links_to_numbers_above_2000_and_look_at_markers_skip_the_line) {
  EXPECT_EQ(scan({"<br>text <a href=\"#2001\">one two</a>"}), (words{"1:skipped"}));
  EXPECT_EQ(scan({"<br>text <a HREF =\"#9999\">one two</a>"}), (words{"1:skipped"}));
  EXPECT_EQ(scan({"<br>text <a href=\"#2000\">one two</a>"}), (words{"1:5:text", "1:26:one", "1:30:two"}));
  EXPECT_EQ(scan({"<br>text <a href=\"page3000.htm\">one two</a>"}).size(), 3u);
  EXPECT_EQ(scan({"<br>look_at: <a href=\"x.htm\">see this</a>"}), (words{"1:skipped"}));
  EXPECT_EQ(scan({"<br><a href=\"x.htm\">see this</a> LOOK_AT: now"}),
            (words{"1:21:see", "1:25:this", "1:34:LOOK_AT:", "1:43:now"}));
  EXPECT_EQ(scan({"<br>look_at: here only"}), (words{"1:5:look_at:", "1:14:here", "1:19:only"}));
}

TEST(page_scanner, script_and_style_blocks_give_no_words) {
  EXPECT_EQ(scan({"<br>one", "<script>", "var words = 1;", "</script>", "<br>two"}),
            (words{"1:5:one", "2:skipped", "3:skipped", "4:skipped", "5:5:two"}));
  EXPECT_EQ(scan({"<  script>x = 1;</script>", "<br>again"}), (words{"1:skipped", "2:5:again"}));
  EXPECT_EQ(scan({"<b>script</b> <i>script</i>"}), (words{"1:4:script", "1:18:script"}));
  EXPECT_EQ(scan({"<Style type=text/css>", "p {color: red}", "</STYLE>", "<br>after"}),
            (words{"1:skipped", "2:skipped", "3:skipped", "4:5:after"}));
  EXPECT_EQ(scan({"<br><p style=\"x\">styled text</p>"}), (words{"1:18:styled", "1:25:text"}));
  // A block that never ends takes the rest of its page; the next page starts outside.
  EXPECT_EQ(scan({"<script>", "<br>lost"}), (words{"1:skipped", "2:skipped"}));
  EXPECT_EQ(scan({"<br>found"}), (words{"1:5:found"}));
}

TEST(page_scanner, tags_across_lines_hide_their_attributes) {
  bool open_tag = false;
  EXPECT_EQ(scan({"<br>before <a", "title=\"many attribute words\"", "class=x>tail words", "<br>next"}, open_tag),
            (words{"1:5:before", "2:skipped", "3:9:tail", "3:14:words", "4:5:next"}));
  EXPECT_FALSE(open_tag);
  EXPECT_EQ(scan({"<a title=\"whole line in a tag"}, open_tag), (words{"1:skipped"}));
  EXPECT_TRUE(open_tag);
}

TEST(page_scanner, a_tag_left_open_at_the_end_of_a_page_carries_over_to_the_next) {
  bool open_tag = false;
  EXPECT_EQ(scan({"<br>last <span"}, open_tag), (words{"1:5:last"}));
  EXPECT_TRUE(open_tag);
  EXPECT_EQ(scan({"still inside the tag", "end> real words"}, open_tag),
            (words{"1:skipped", "2:6:real", "2:11:words"}));
  EXPECT_FALSE(open_tag);
}

TEST(page_scanner, a_long_word_is_taken_whole) {
  std::string word(5000, 'x');
  EXPECT_EQ(scan({"<br>" + word}), (words{"1:5:" + word}));
}

TEST(clean_word, moves_the_column_past_a_leading_quote) {
  std::string word = "\"a\"b\"";
  EXPECT_EQ(clean_word(word, 7), 8u);
  EXPECT_EQ(word, "a'b");
}

}  // namespace
}  // namespace docbase
