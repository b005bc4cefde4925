#include "output/word_search_page.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "output_fixture.h"

namespace docbase::testing {
namespace {

std::string record(const std::string& page, int line, int column, const std::string& word, const std::string& id,
                   int occurrence) {
  char place[40];
  std::snprintf(place, sizeof place, "\"%10d\",\"%6d\"", line, column);
  return "\"" + page + "\"," + place + ",\"" + word + "\",\"" + id + "\",\"" + std::to_string(occurrence) +
         "\"\r\n";
}

class word_search_page_test : public output_test {};

TEST_F(word_search_page_test, word_lines_and_link_blocks) {
  the_run().target_site = "www.target.org";
  write_file("wrd_12_1.txt", record("page_02.htm", 9, 5, "alpha", "id00000001", 3) +
                                 record("page_02.htm", 9, 11, "beta", "id00000002", 1) +
                                 record("page_03.htm", 9, 5, "gamma", "id00000003", 2));
  write_word_search_page(1);

  std::vector<std::string> expected = head_lines("search.htm, content (only words) from input *.htm files");
  append(expected, script_lines(true));
  append(expected,
         {"<span id=\"id00000001_3\">alpha &nbsp </span>&nbsp <a href=\"i_1.htm#id00000001\">alpha</a></span> "
          "<span id=\"id00000002_1\"><a href=\"i_1.htm#id00000002\">beta</a></span><br>",
          "<a href=\"i_1.htm#id00000001\">i_1</a>",
          "&nbsp <a href=\"index.htm#id00000001\">index</a>",
          "&nbsp <a href=\"files_list.htm#page_02.htm\"> Content (page_02.htm)</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=alpha beta  site:www.target.org\"> www.target.org</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=alpha beta  site:www.example.com\"> www.example.com</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=alpha beta \"> web_search </a>",
          "<br><br>",
          // The same line number on the next page is a text line of its own.
          "<span id=\"id00000003_2\">gamma &nbsp </span>&nbsp <a href=\"i_1.htm#id00000003\">gamma</a></span><br>",
          "<a href=\"i_1.htm#id00000003\">i_1</a>",
          "&nbsp <a href=\"index.htm#id00000003\">index</a>",
          "&nbsp <a href=\"files_list.htm#page_03.htm\"> Content (page_03.htm)</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=gamma  site:www.target.org\"> www.target.org</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=gamma  site:www.example.com\"> www.example.com</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=gamma \"> web_search </a>",
          "<br><br>",
          "</body> <br>",
          "</html> <br>"});
  EXPECT_EQ(read_file("s_1.htm"), crlf(expected));
}

TEST_F(word_search_page_test, without_sites_the_link_block_has_five_lines) {
  the_run().find_word = 0;
  the_run().program_site = "";
  write_file("wrd_12_2.txt", record("page_02.htm", 4, 5, "solo", "id00000009", 1));
  write_word_search_page(2);
  std::vector<std::string> expected = head_lines("search.htm, content (only words) from input *.htm files");
  append(expected, script_lines(false));
  append(expected,
         {"<span id=\"id00000009_1\">solo &nbsp </span>&nbsp <a href=\"i_2.htm#id00000009\">solo</a></span><br>",
          "<a href=\"i_2.htm#id00000009\">i_2</a>", "&nbsp <a href=\"index.htm#id00000009\">index</a>",
          "&nbsp <a href=\"files_list.htm#page_02.htm\"> Content (page_02.htm)</a>",
          "&nbsp <a href=\"https://www.google.com/search?q=solo \"> web_search </a>", "<br><br>", "</body> <br>",
          "</html> <br>"});
  EXPECT_EQ(read_file("s_2.htm"), crlf(expected));

  write_file("wrd_12_2.txt", "");
  write_word_search_page(2);
  expected.resize(11 + 10);
  append(expected, {"</body> <br>", "</html> <br>"});
  EXPECT_EQ(read_file("s_2.htm"), crlf(expected));
}

std::vector<std::string> numbered_words(int count) {
  std::vector<std::string> words;
  for (int i = 1; i <= count; ++i) words.push_back("w" + std::to_string(i));
  return words;
}

TEST(search_phrase, up_to_28_words_are_all_used_in_order) {
  search_phrase phrase;
  std::string expected;
  for (const std::string& word : numbered_words(28)) {
    phrase.add_word(word);
    expected += word + " ";
  }
  EXPECT_EQ(phrase.text([] { return 0.5; }), expected);
}

// Each slot takes the word after the first blank at or after a place among the
// words but the last; the place is the whole part of r times that length, at
// least 1.
TEST(search_phrase, slots_take_the_word_after_the_blank_at_a_random_place) {
  search_phrase phrase;
  for (const std::string& word : numbered_words(29)) phrase.add_word(word);
  // "w1 w2 ... w28 " is 9 * 3 + 19 * 4 = 103 bytes long; "w29 " follows.
  std::vector<double> fractions = {0.0, 3.5 / 103, 99.5 / 103, 0.999999};
  std::size_t next = 0;
  auto random = [&] { return next < fractions.size() ? fractions[next++] : 0.0; };
  // r = 0 gives place 1 and the word after the first blank, w2, again and
  // again (repeats removed); place 3 is that blank too; place 99 is the blank
  // after w27, giving w28; place 102 finds the blank at 103, the last one
  // allowed, before the line's last word.
  EXPECT_EQ(phrase.text(random), " w2 w28 w29");
}

TEST(search_phrase, a_long_line_never_gives_its_first_word_nor_a_word_twice) {
  search_phrase phrase;
  std::vector<std::string> words = numbered_words(40);
  words[7] = "w2";  // an equal word counts as one
  for (const std::string& word : words) phrase.add_word(word);
  seeded_fractions fractions;
  for (int round = 0; round < 50; ++round) {
    std::string text = phrase.text([&] { return fractions(); });
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text[0], ' ');
    std::multiset<std::string> chosen;
    std::size_t start = 1;
    while (start <= text.size()) {
      std::size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      chosen.insert(text.substr(start, end - start));
      start = end + 1;
    }
    EXPECT_EQ(chosen.count("w1"), 0u) << text;
    EXPECT_LE(chosen.size(), 28u);
    for (const std::string& word : chosen) EXPECT_EQ(chosen.count(word), 1u) << text;
  }
}

TEST_F(word_search_page_test, a_line_of_29_words_searches_for_a_selection_and_runs_repeat) {
  std::string records;
  for (int i = 1; i <= 29; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "id%08d", i);
    records += record("page_02.htm", 5, i * 5, "w" + std::to_string(i), id, 1);
  }
  write_file("wrd_12_1.txt", records);
  write_word_search_page(1);
  std::string first_run = read_file("s_1.htm");
  write_word_search_page(1);
  EXPECT_EQ(read_file("s_1.htm"), first_run);
  std::size_t query = first_run.find("search?q=");
  ASSERT_NE(query, std::string::npos);
  EXPECT_EQ(first_run[query + 9], ' ');
  EXPECT_EQ(first_run.find("search?q= w1 "), std::string::npos);
}

}  // namespace
}  // namespace docbase::testing
