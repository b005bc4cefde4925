#include "records/word_tables.h"

#include <filesystem>
#include <string>
#include <vector>

#include "records/direct_tables.h"
#include "records/merge_sort.h"
#include "records/record_stages.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::read_file;
using testing::write_file;

// The tables of the record-file pipeline, which every wrd_01.txt can take.
class word_tables_test : public testing::temp_folder_test {
 protected:
  void SetUp() override {
    temp_folder_test::SetUp();
    allow_direct_tables(false);
  }
  void TearDown() override {
    allow_direct_tables(true);
    temp_folder_test::TearDown();
  }
};

std::string line_field(int line) {
  std::string digits = std::to_string(line);
  return std::string(10 - digits.size(), ' ') + digits;
}

std::string column_field(int column) {
  std::string digits = std::to_string(column);
  return std::string(6 - digits.size(), ' ') + digits;
}

// A word record as word extraction writes it.
std::string word_record(const std::string& word, const std::string& page, int line, int column) {
  return "\"" + word + "\",\"" + page + "\",\"" + line_field(line) + "\",\"" + column_field(column) + "\",\"" + word +
         "\"\r\n";
}

std::string build(const std::string& wrd_01) {
  write_file("wrd_01.txt", wrd_01);
  ::testing::internal::CaptureStdout();
  build_word_tables();
  return ::testing::internal::GetCapturedStdout();
}

TEST(word_ids, are_the_record_index_padded_to_eight_digits) {
  EXPECT_EQ(make_word_id(0), "id00000000");
  EXPECT_EQ(make_word_id(123), "id00000123");
  EXPECT_EQ(make_word_id(123456789), "id123456789");
  EXPECT_EQ(word_id_index("id00000123"), 123u);
  EXPECT_EQ(word_id_index("id123456789"), 123456789u);
  for (const char* not_an_id : {"id0000012", "id012345678", "ix00000001", "id0000000a", "", "ID00000001"})
    EXPECT_EQ(word_id_index(not_an_id), std::nullopt) << not_an_id;
}

TEST(reverse_occurrence, puts_high_occurrence_numbers_first) {
  EXPECT_EQ(reverse_occurrence("1"), "99999999");
  EXPECT_EQ(reverse_occurrence("12"), "99999988");
  EXPECT_EQ(reverse_occurrence("1000"), "99999000");
  EXPECT_EQ(reverse_occurrence("99999999"), "00000001");
  EXPECT_EQ(reverse_occurrence("100000000"), "100000000");
  EXPECT_EQ(reverse_occurrence("123456789"), "123456789");
}

TEST_F(word_tables_test, words_get_ids_occurrence_numbers_and_orders) {
  std::string console = build(word_record("The", "page_01.htm", 1, 1) + word_record("abc", "page_01.htm", 1, 5) +
                              word_record("&NBSP;x", "page_01.htm", 1, 9) + word_record("the", "page_02.htm", 5, 1) +
                              word_record("abc!", "page_01.htm", 9, 1) + word_record("THE", "page_01.htm", 9, 7) +
                              word_record("a&nbsp;b", "page_01.htm", 12, 1) + word_record("the", "page_01.htm", 12, 3));
  EXPECT_EQ(console, "processed 20%\nprocessed 30%\n");
  // abc! before abc: its '!' is below the quote that closes abc.
  EXPECT_EQ(read_file("wrd_03.txt"),
            "\"page_01.htm\",\"         9\",\"     1\",\"abc!\",\"id00000000\"\r\n"
            "\"page_01.htm\",\"         1\",\"     5\",\"abc\",\"id00000001\"\r\n"
            "\"page_01.htm\",\"         1\",\"     1\",\"The\",\"id00000002\"\r\n"
            "\"page_01.htm\",\"         9\",\"     7\",\"THE\",\"id00000002\"\r\n"
            "\"page_01.htm\",\"        12\",\"     3\",\"the\",\"id00000002\"\r\n"
            "\"page_02.htm\",\"         5\",\"     1\",\"the\",\"id00000002\"\r\n");
  const std::string reading_order =
      "\"page_01.htm\",\"         1\",\"     1\",\"The\",\"id00000002\",\"1\"\r\n"
      "\"page_01.htm\",\"         1\",\"     5\",\"abc\",\"id00000001\",\"1\"\r\n"
      "\"page_01.htm\",\"         9\",\"     1\",\"abc!\",\"id00000000\",\"1\"\r\n"
      "\"page_01.htm\",\"         9\",\"     7\",\"THE\",\"id00000002\",\"2\"\r\n"
      "\"page_01.htm\",\"        12\",\"     3\",\"the\",\"id00000002\",\"3\"\r\n"
      "\"page_02.htm\",\"         5\",\"     1\",\"the\",\"id00000002\",\"4\"\r\n";
  EXPECT_EQ(read_file("wrd_05.txt"), reading_order);
  EXPECT_EQ(read_file("wrd_06.txt"), reading_order);
  EXPECT_EQ(read_file("wrd_07.txt"),
            "\"99999999\",\"id00000002\",\"page_01.htm\",\"         1\",\"     1\",\"The\",\"id00000002\",\"1\"\r\n"
            "\"99999999\",\"id00000001\",\"page_01.htm\",\"         1\",\"     5\",\"abc\",\"id00000001\",\"1\"\r\n"
            "\"99999999\",\"id00000000\",\"page_01.htm\",\"         9\",\"     1\",\"abc!\",\"id00000000\",\"1\"\r\n"
            "\"99999998\",\"id00000002\",\"page_01.htm\",\"         9\",\"     7\",\"THE\",\"id00000002\",\"2\"\r\n"
            "\"99999997\",\"id00000002\",\"page_01.htm\",\"        12\",\"     3\",\"the\",\"id00000002\",\"3\"\r\n"
            "\"99999996\",\"id00000002\",\"page_02.htm\",\"         5\",\"     1\",\"the\",\"id00000002\",\"4\"\r\n");
  // Sorted, the reverse keys put every later occurrence first.
  sort_file("wrd_07.txt", "wrd_08.txt");
  EXPECT_EQ(read_file("wrd_08.txt"),
            "\"99999996\",\"id00000002\",\"page_02.htm\",\"         5\",\"     1\",\"the\",\"id00000002\",\"4\"\r\n"
            "\"99999997\",\"id00000002\",\"page_01.htm\",\"        12\",\"     3\",\"the\",\"id00000002\",\"3\"\r\n"
            "\"99999998\",\"id00000002\",\"page_01.htm\",\"         9\",\"     7\",\"THE\",\"id00000002\",\"2\"\r\n"
            "\"99999999\",\"id00000000\",\"page_01.htm\",\"         9\",\"     1\",\"abc!\",\"id00000000\",\"1\"\r\n"
            "\"99999999\",\"id00000001\",\"page_01.htm\",\"         1\",\"     5\",\"abc\",\"id00000001\",\"1\"\r\n"
            "\"99999999\",\"id00000002\",\"page_01.htm\",\"         1\",\"     1\",\"The\",\"id00000002\",\"1\"\r\n");
}

TEST_F(word_tables_test, a_word_id_holds_the_index_of_the_words_first_record) {
  std::string words;
  for (int line = 1; line <= 123; ++line) words += word_record("aaa", "page_01.htm", line, 1);
  words += word_record("bbb", "page_01.htm", 1, 5);
  build(words);
  std::string table = read_file("wrd_03.txt");
  const std::string first = "\"page_01.htm\",\"         1\",\"     1\",\"aaa\",\"id00000000\"\r\n";
  const std::string last = "\"page_01.htm\",\"         1\",\"     5\",\"bbb\",\"id00000123\"\r\n";
  EXPECT_EQ(table.substr(0, first.size()), first);
  EXPECT_EQ(table.substr(table.size() - last.size()), last);
}

TEST_F(word_tables_test, a_record_off_the_pages_is_counted_but_not_written) {
  build(word_record("the", "other.htm", 1, 1) + word_record("the", "page_01.htm", 1, 1));
  EXPECT_EQ(read_file("wrd_04.txt"), "\"page_01.htm\",\"         1\",\"     1\",\"the\",\"id00000000\",\"2\"\r\n");
}

TEST_F(word_tables_test, no_word_records_give_empty_tables) {
  EXPECT_EQ(build(""), "processed 20%\nprocessed 30%\n");
  for (const char* table : {"wrd_01_02.txt", "wrd_03.txt", "wrd_04.txt", "wrd_07.txt"})
  {
    EXPECT_TRUE(std::filesystem::exists(table)) << table;
    EXPECT_EQ(read_file(table), "") << table;
  }
}

}  // namespace
}  // namespace docbase
