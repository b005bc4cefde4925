#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "pages/page_list.h"
#include "pages/page_stages.h"
#include "pages/word_extraction.h"
#include "run/run_values.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

// Every file below folder with its bytes, by path relative to it.
std::map<std::string, std::string> files_below(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = read_file(entry.path());
  return files;
}

std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class page_stage_test : public testing::temp_folder_test {
 protected:
  void SetUp() override {
    temp_folder_test::SetUp();
    table_flag() = false;
    open_tag_flag() = false;
    the_run().input_file_count = 0;
    the_run().code_page = "UTF-8";
  }
};

TEST_F(page_stage_test, intake_copies_the_texts_under_safe_names_and_leaves_txt_in_alone) {
  const std::map<std::string, std::string> texts = {
      {"story_1.txt", "one\n"},    {"my story.txt", "two\n"},     {"page.txt", "three\n"},
      {"Upper.TXT", "four\n"},      {"caf\xC3\xA9.txt", "five\n"}, {"a b.txt", "six\n"},
      {"a-b.txt", "seven\n"},       {"notes.md", "not a text\n"}, {"x>y.txt", "eight\n"},
      {"q&r|s.txt", "nine\n"},      {"%path%^.txt", "ten\n"},     {"back\\slash.txt", "eleven\n"},
      {"quote\"d.txt", "twelve\n"}, {"tab\tbed.txt", "thirteen\n"}, {" lead.txt", "fourteen\n"},
      {"a\"b.txt", "fifteen\n"}};
  for (const auto& [name, text] : texts) write_file(fs::path("txt_in") / name, text);
  fs::create_directory("txt_wrk");
  auto input_before = files_below("txt_in");
  the_run().input_file_count = 11;

  intake_texts();

  EXPECT_EQ(files_below("txt_in"), input_before);
  // A text whose safe name is taken gets the first free numbered form of it.
  const std::map<std::string, std::string> expected = {
      {"story_1.txt", "one\n"},     {"my_story.txt", "two\n"},         {"file_page.txt", "three\n"},
      {"Upper.TXT", "four\n"},      {"caf__.txt", "five\n"},           {"x_y.txt", "eight\n"},
      {"q_r_s.txt", "nine\n"},      {"_path__.txt", "ten\n"},          {"back_slash.txt", "eleven\n"},
      {"quote_d.txt", "twelve\n"},  {"tab_bed.txt", "thirteen\n"},     {"lead.txt", "fourteen\n"},
      {"a_b.txt", "fifteen\n"},     {"a_b_2.txt", "six\n"},            {"a_b_3.txt", "seven\n"}};
  EXPECT_EQ(files_below("txt_wrk"), expected);
  EXPECT_EQ(the_run().input_file_count, 15);
  EXPECT_EQ(names_in("."), (std::set<std::string>{"txt_in", "txt_wrk", "txt_wrk.list", "out_null.list"}));
  std::string listed = read_file("txt_wrk.list");
  for (const auto& [name, text] : expected) EXPECT_TRUE(listed.find(name + "\r\n") != std::string::npos) << name;
}

TEST_F(page_stage_test, texts_whose_names_differ_only_in_letter_case_are_all_taken_in) {
  write_file("txt_in/Same.txt", "capital\n");
  write_file("txt_in/same.txt", "small\n");
  write_file("txt_in/SAME.txt", "all capitals\n");
  fs::create_directory("txt_wrk");
  ::testing::internal::CaptureStdout();
  intake_texts();
  std::string console = ::testing::internal::GetCapturedStdout();
  auto copies = files_below("txt_wrk");
  ASSERT_EQ(copies.size(), 3u) << console;
  const std::map<std::string, std::string> originals = {
      {"Same.txt", "capital\n"}, {"same.txt", "small\n"}, {"SAME.txt", "all capitals\n"}};
  std::multiset<std::string> texts;
  for (const auto& [name, text] : copies) {
    texts.insert(text);
    // A copy under one of the original names holds the text of that name.
    auto original = originals.find(name);
    if (original != originals.end()) {
      EXPECT_EQ(text, original->second) << name;
    }
  }
  EXPECT_EQ(texts, (std::multiset<std::string>{"capital\n", "small\n", "all capitals\n"}));
  EXPECT_NE(console.find("differs from another only in letter case"), std::string::npos) << console;
}

const char* const promote_page =
    "<html>\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\r\n"
    "<title>advertising message</title>\r\n"
    "</head>\r\n"
    "<body>\r\n"
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
    "</body>\r\n"
    "<br>\r\n"
    "<br>\r\n"
    "</html>\r\n";

TEST_F(page_stage_test, the_promotional_page_is_written_and_copied_into_htm_in) {
  fs::create_directory("htm_in");
  write_promote_page();
  EXPECT_EQ(read_file("f_promote.htm"), promote_page);
  EXPECT_EQ(files_below("htm_in"), (std::map<std::string, std::string>{{"f_promote.htm", promote_page}}));
}

TEST_F(page_stage_test, the_page_list_puts_the_promotional_page_first_and_numbers_the_normalised_pages) {
  write_file("htm_in/f_promote.htm", "<br> promoted\r\n");
  write_file("htm_in/Beta.htm", "<pre>\r\n   two words\r\n</pre>\r\n");
  write_file("htm_in/alpha.htm", "<table border=1>\r\n<tr>\t<td>x</td>\r\n");
  write_file("htm_in/ALPHA2.htm", "<tr>\t<td>still in the table</td>\r\n</table>\r\nafter\ttab\r\n");
  write_file("htm_in/e_promote.htm", "");

  list_and_normalise_pages();

  EXPECT_EQ(read_file("dir_01.txt"), "f_promote.htm\r\nalpha.htm\r\nalpha2.htm\r\nbeta.htm\r\ne_promote.htm\r\n");
  const std::string alpha = "<table border=1>\r\n<tr>\t<td>x</td>\r\n";
  const std::string alpha2 = "<tr>\t<td>still in the table</td>\r\n<br></table>\r\n<br>aftertab\r\n";
  const std::string beta = "<br>&nbsp;&nbsp;&nbsp;   two words\r\n";
  EXPECT_EQ(read_file("page_01.htm"), "<br> promoted\r\n");
  EXPECT_EQ(read_file("page_02.htm"), alpha);
  EXPECT_EQ(read_file("page_03.htm"), alpha2);
  EXPECT_EQ(read_file("page_04.htm"), beta);
  EXPECT_EQ(read_file("page_05.htm"), "");
  EXPECT_EQ(read_file("f_promote_01.htm"), "<br> promoted\r\n");
  EXPECT_EQ(read_file("alpha2_01.htm"), alpha2);
  EXPECT_EQ(read_file("beta_01.htm"), beta);
  EXPECT_FALSE(table_flag());
}

TEST_F(page_stage_test, the_width_of_the_page_numbers_follows_the_number_of_pages) {
  for (int texts : {9, 10}) {
    fs::remove_all("htm_in");
    for (const auto& entry : fs::directory_iterator(".")) fs::remove_all(entry.path());
    write_file("htm_in/f_promote.htm", "<br>promoted\r\n");
    for (int k = 1; k <= texts; ++k) write_file("htm_in/text_" + std::to_string(k) + ".htm", "words\r\n");
    list_and_normalise_pages();
    std::set<std::string> numbered;
    for (const std::string& name : names_in("."))
      if (name.starts_with("page_")) numbered.insert(name);
    std::set<std::string> expected;
    for (int n = 1; n <= texts + 1; ++n) {
      std::string digits = std::to_string(n);
      expected.insert("page_" + std::string((texts == 9 ? 2 : 3) - digits.size(), '0') + digits + ".htm");
    }
    EXPECT_EQ(numbered, expected) << texts << " texts";
    EXPECT_EQ(read_file(*expected.begin()), "<br>promoted\r\n");
  }
}

TEST_F(page_stage_test, extraction_writes_every_word_with_its_place_and_a_trace_per_page) {
  write_file("page_01.htm",
             "<br><title>advertising message</title>\r\n"
             "<br>one \"two\" x\r\n"
             "<br>last <span\r\n");
  write_file("page_02.htm", "class=x>after words\r\n<script>\r\n<br>hidden\r\n");
  write_file("page_notes.txt", "not a page");

  extract_words();

  EXPECT_EQ(read_file("wrd_01.txt"),
            "\"advertising\",\"page_01.htm\",\"         1\",\"    12\",\"advertising\"\r\n"
            "\"message\",\"page_01.htm\",\"         1\",\"    24\",\"message\"\r\n"
            "\"one\",\"page_01.htm\",\"         2\",\"     5\",\"one\"\r\n"
            "\"two\",\"page_01.htm\",\"         2\",\"    10\",\"two\"\r\n"
            "\"last\",\"page_01.htm\",\"         3\",\"     5\",\"last\"\r\n"
            "\"after\",\"page_02.htm\",\"         1\",\"     9\",\"after\"\r\n"
            "\"words\",\"page_02.htm\",\"         1\",\"    15\",\"words\"\r\n");
  const std::string rule = "=================================================\r\n";
  EXPECT_EQ(read_file("page_01.txt"), rule +
                                          "<br><title>advertising message</title>\r\n"
                                          " 23           advertising\r\n"
                                          " 31           message\r\n" +
                                          rule +
                                          "<br>one \"two\" x\r\n"
                                          " 8            one\r\n"
                                          " 14           two\r\n" +
                                          rule +
                                          "<br>last <span\r\n"
                                          " 9            last\r\n");
  EXPECT_EQ(read_file("page_02.txt"), rule +
                                          "class=x>after words\r\n"
                                          " 14           after\r\n"
                                          " 19           words\r\n");
  EXPECT_EQ(read_file("dir_02.txt"), "page_01.htm\r\npage_02.htm\r\n");
}

TEST_F(page_stage_test, a_long_word_and_a_cr_reach_the_word_file_whole_and_in_place) {
  std::string long_word(5000, 'x');
  write_file("page_01.htm", "<table border=1>\r\n<td>ab\rcd " + long_word + "</td>\r\n");
  extract_words();
  EXPECT_EQ(read_file("wrd_01.txt"),
            "\"ab cd\",\"page_01.htm\",\"         2\",\"     5\",\"ab cd\"\r\n"
            "\"" + long_word + "\",\"page_01.htm\",\"         2\",\"    11\",\"" + long_word + "\"\r\n");
}

// Columns have six digits: a word starting beyond byte 999999 of its line stays
// plain text, and the run says so.
TEST_F(page_stage_test, words_beyond_the_widest_column_are_left_out_with_a_message) {
  std::string filler(999992, 'x');
  write_file("page_01.htm", "<br>early " + filler + " late\r\n<br>next line\r\n");
  ::testing::internal::CaptureStderr();
  extract_words();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "page_01.htm, line 1: words beyond byte 999999 of the line are left out of the index\n");
  EXPECT_EQ(read_file("wrd_01.txt"),
            "\"early\",\"page_01.htm\",\"         1\",\"     5\",\"early\"\r\n"
            "\"" + filler + "\",\"page_01.htm\",\"         1\",\"    11\",\"" + filler + "\"\r\n"
            "\"next\",\"page_01.htm\",\"         2\",\"     5\",\"next\"\r\n"
            "\"line\",\"page_01.htm\",\"         2\",\"    10\",\"line\"\r\n");
}

TEST_F(page_stage_test, the_promotional_page_is_page_one_and_gives_its_words) {
  fs::create_directory("htm_in");
  write_file("htm_in/aaa.htm", "<br>text\r\n");
  write_promote_page();
  list_and_normalise_pages();
  extract_words();
  std::string words = read_file("wrd_01.txt");
  EXPECT_TRUE(words.starts_with("\"advertising\",\"page_01.htm\",\"         4\",\"    12\",\"advertising\"\r\n"))
      << words.substr(0, 200);
  EXPECT_NE(words.find("\"PROMOTE\",\"page_01.htm\",\"         8\",\"    10\",\"PROMOTE\"\r\n"), std::string::npos);
  EXPECT_EQ(words.find("example"), std::string::npos);
  EXPECT_TRUE(words.ends_with("\"text\",\"page_02.htm\",\"         1\",\"     5\",\"text\"\r\n"));
}

}  // namespace
}  // namespace docbase
