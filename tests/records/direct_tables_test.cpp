#include "records/direct_tables.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "records/record_stages.h"
#include "records/word_numbers.h"
#include "records/word_sort.h"
#include "run/run_values.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

std::string word_record(const std::string& word, const std::string& page, int line, int column) {
  std::string line_digits = std::to_string(line);
  std::string column_digits = std::to_string(column);
  return "\"" + word + "\",\"" + page + "\",\"" + std::string(10 - line_digits.size(), ' ') + line_digits + "\",\"" +
         std::string(6 - column_digits.size(), ' ') + column_digits + "\",\"" + word + "\"\r\n";
}

// The lines of a file in byte order.
std::string sorted_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::sort(lines.begin(), lines.end());
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  return joined;
}

struct run_result {
  std::string console;
  int group_count = 0;
  std::map<std::string, std::string> files;
};

class direct_tables_test : public testing::temp_folder_test {
 protected:
  void TearDown() override {
    allow_direct_tables(true);
    set_word_sort_bytes(saved_sort_bytes_);
    set_word_number_chunk(saved_number_chunk_);
    set_word_entry_limit(saved_entry_limit_);
    the_run().input_file_count = 0;
    temp_folder_test::TearDown();
  }

  // Both stages on wrd_01, the direct way or the record-file way; the files
  // that the output pages read, with wrd_15.txt in byte order (it is sorted
  // before it is read).
  run_result run(const std::string& wrd_01, int input_files, bool direct, bool direct_taken = true) {
    for (const auto& entry : fs::directory_iterator(fs::current_path())) fs::remove(entry.path());
    write_file("wrd_01.txt", wrd_01);
    the_run().input_file_count = input_files;
    allow_direct_tables(direct);
    run_result result;
    ::testing::internal::CaptureStdout();
    build_word_tables();
    result.group_count = build_group_files();
    result.console = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(fs::exists("wrd_07.txt"), !(direct && direct_taken)) << "the way taken";
    result.files["group_page_all_sort.txt"] = read_file("group_page_all_sort.txt");
    result.files["wrd_15.txt"] = sorted_lines(read_file("wrd_15.txt"));
    for (int g = 1; g <= result.group_count; ++g)
      for (const char* stem : {"wrd_12_", "wrd_14_", "wrd_24_"}) {
        std::string name = stem + std::to_string(g) + ".txt";
        EXPECT_TRUE(fs::exists(name)) << name;
        result.files[name] = read_file(name);
      }
    return result;
  }

  void expect_same_as_record_files(const std::string& wrd_01, int input_files, bool direct_taken = true) {
    run_result expected = run(wrd_01, input_files, false);
    run_result direct = run(wrd_01, input_files, true, direct_taken);
    EXPECT_EQ(direct.console, expected.console);
    EXPECT_EQ(direct.group_count, expected.group_count);
    EXPECT_EQ(direct.files, expected.files);
    for (const auto& entry : fs::directory_iterator(fs::current_path()))
      EXPECT_EQ(entry.path().filename().string().rfind("word_", 0), std::string::npos)
          << entry.path().filename() << " left behind";
  }

 private:
  std::size_t saved_sort_bytes_ = word_sort_bytes();
  std::size_t saved_number_chunk_ = word_number_chunk();
  std::size_t saved_entry_limit_ = word_entry_limit();
};

// Words in reading order over pages pages: case forms of one word on one
// line, words that sort before and after others by their closing quote,
// non-ASCII bytes, entities, and a few very frequent words.
std::string sample_words(int pages, int lines_per_page, std::uint64_t seed) {
  static const std::vector<std::string> vocabulary = {
      "The", "the", "THE", "abc", "abc!", "Abc", "abc d", "zed", "Zed,", "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89",
      "a&nbsp;b", "&NBSP;x", "[bracket]", "_under", "word's", "12345", "page", "ID-card", "idea"};
  std::string words;
  std::uint64_t state = seed;
  auto next = [&](std::uint64_t n) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (state >> 33) % n;
  };
  for (int page = 1; page <= pages; ++page) {
    std::string name = "page_0" + std::to_string(page) + ".htm";
    for (int line = 1; line <= lines_per_page; ++line) {
      int column = 1 + static_cast<int>(next(3));
      for (std::uint64_t i = 0, n = next(7); i < n; ++i) {
        std::uint64_t pick = next(4) == 0 ? next(vocabulary.size()) : next(3);
        const std::string& word = vocabulary[pick];
        words += word_record(word, name, line, column);
        column += static_cast<int>(word.size()) + 1 + static_cast<int>(next(2));
      }
    }
  }
  return words;
}

TEST_F(direct_tables_test, gives_the_words_ids_numbers_and_next_pages) {
  // Apple on page_01.htm twice and on page_03.htm once, zed on page_02.htm.
  std::string words = word_record("Apple", "page_01.htm", 1, 1) + word_record("apple", "page_01.htm", 2, 5) +
                      word_record("zed", "page_02.htm", 1, 1) + word_record("APPLE", "page_03.htm", 1, 1);
  run_result result = run(words, 2, true);
  EXPECT_EQ(result.console, "processed 20%\nprocessed 30%\nprocessed 40%\n");
  EXPECT_EQ(result.group_count, 2);
  EXPECT_EQ(result.files["group_page_all_sort.txt"], "page_01.htm\r\npage_02.htm\r\npage_03.htm\r\n");
  const std::string apple_1 = "\"page_01.htm\",\"         1\",\"     1\",\"Apple\",\"id00000000\",\"1\"";
  const std::string apple_2 = "\"page_01.htm\",\"         2\",\"     5\",\"apple\",\"id00000000\",\"2\"";
  const std::string zed = "\"page_02.htm\",\"         1\",\"     1\",\"zed\",\"id00000003\",\"1\"";
  const std::string apple_3 = "\"page_03.htm\",\"         1\",\"     1\",\"APPLE\",\"id00000000\",\"3\"";
  EXPECT_EQ(result.files["wrd_12_1.txt"], apple_1 + "\r\n" + apple_2 + "\r\n" + zed + "\r\n");
  EXPECT_EQ(result.files["wrd_12_2.txt"], apple_3 + "\r\n");
  EXPECT_EQ(result.files["wrd_14_1.txt"], "\"id00000000\"," + apple_1 + "\r\n\"id00000000\"," + apple_2 +
                                              "\r\n\"id00000003\"," + zed + "\r\n");
  EXPECT_EQ(result.files["wrd_24_1.txt"], apple_1 + ",\"page_03.htm\"\r\n" + apple_2 + ",\"page_03.htm\"\r\n" + zed +
                                              ",\"\"\r\n");
  EXPECT_EQ(result.files["wrd_24_2.txt"], apple_3 + ",\"\"\r\n");
  EXPECT_EQ(read_file("wrd_15.txt"),
            "\"id00000000\",\"    1\",\"page_01.htm\",\"         1\",\"     1\",\"Apple\",\"1\"\r\n"
            "\"id00000000\",\"    1\",\"page_01.htm\",\"         2\",\"     5\",\"apple\",\"2\"\r\n"
            "\"id00000000\",\"    2\",\"page_03.htm\",\"         1\",\"     1\",\"APPLE\",\"3\"\r\n"
            "\"id00000003\",\"    1\",\"page_02.htm\",\"         1\",\"     1\",\"zed\",\"1\"\r\n");
}

// A word of more than 4096 bytes, which read_field would cut, is taken whole
// and shifts none of the records after it.
TEST_F(direct_tables_test, a_word_longer_than_a_field_is_taken_whole) {
  const std::string long_word(5000, 'w');
  std::string words = word_record("alpha", "page_01.htm", 1, 1) + word_record(long_word, "page_01.htm", 1, 7) +
                      word_record("omega", "page_01.htm", 1, 5008);
  run_result result = run(words, 1, true);
  EXPECT_EQ(result.files["wrd_12_1.txt"],
            "\"page_01.htm\",\"         1\",\"     1\",\"alpha\",\"id00000000\",\"1\"\r\n"
            "\"page_01.htm\",\"         1\",\"     7\",\"" + long_word + "\",\"id00000002\",\"1\"\r\n"
            "\"page_01.htm\",\"         1\",\"  5008\",\"omega\",\"id00000001\",\"1\"\r\n");
}

// On one line the key order puts The before the: THE at column 9, the at 1,
// The at 5 are numbered THE 1, The 2, the 3, and listed by column by id.
TEST_F(direct_tables_test, case_forms_on_one_line_are_numbered_by_form_and_listed_by_column) {
  std::string words = word_record("the", "page_01.htm", 1, 1) + word_record("The", "page_01.htm", 1, 5) +
                      word_record("THE", "page_01.htm", 1, 9);
  run_result result = run(words, 1, true);
  EXPECT_EQ(result.files["wrd_14_1.txt"],
            "\"id00000000\",\"page_01.htm\",\"         1\",\"     1\",\"the\",\"id00000000\",\"3\"\r\n"
            "\"id00000000\",\"page_01.htm\",\"         1\",\"     5\",\"The\",\"id00000000\",\"2\"\r\n"
            "\"id00000000\",\"page_01.htm\",\"         1\",\"     9\",\"THE\",\"id00000000\",\"1\"\r\n");
  expect_same_as_record_files(words, 1);
}

TEST_F(direct_tables_test, gives_what_the_record_files_give) {
  for (int input_files : {1, 2, 3, 4}) {
    SCOPED_TRACE(input_files);
    expect_same_as_record_files(sample_words(4, 30, 7 + static_cast<std::uint64_t>(input_files)), input_files);
  }
}

// Tiny limits: runs merged in more than one pass, numbers kept in chunk
// files, a word's records on one page and on one line spilled.
TEST_F(direct_tables_test, gives_the_same_with_everything_on_disk) {
  set_word_sort_bytes(300);
  set_word_number_chunk(7);
  set_word_entry_limit(2);
  std::string words = sample_words(3, 120, 3);
  for (int column = 1; column < 60; column += 4) words += word_record(column % 8 == 1 ? "The" : "the", "page_04.htm", 1, column);
  expect_same_as_record_files(words, 2);
}

// What word extraction never writes goes the record-file way.
TEST_F(direct_tables_test, leaves_unusual_word_records_to_the_record_files) {
  const std::string usual = word_record("one", "page_01.htm", 1, 1);
  const std::vector<std::string> cases = {
      "",
      usual + word_record("two", "page_01.htm", 1, 1),
      usual + word_record("two", "page_01.htm", 2, 1).replace(0, 5, "\"tw\"o"),
      word_record("two", "page_02.htm", 1, 1) + usual,
      usual + word_record("two", "page_02.htm", 1, 1) + word_record("three", "page_01.htm", 2, 1),
      word_record("one", "other.htm", 1, 1),
      word_record("one", "page_01.HTM", 1, 1),
      usual + "\"two\",\"page_01.htm\",\"2\",\"     1\",\"two\"\r\n",
      usual + "\"two\",\"page_01.htm\",\"         2\",\"    01\",\"two\"\r\n",
      usual + "\"two\",\"page_01.htm\",\"         2\",\"     1\"\r\n",
      usual + "\"t\rwo\",\"page_01.htm\",\"         2\",\"     1\",\"two\"\r\n",
  };
  the_run().input_file_count = 2;
  for (const std::string& words : cases) {
    write_file("wrd_01.txt", words);
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(build_word_tables_directly()) << words;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(build_group_files_directly());
    for (const auto& entry : fs::directory_iterator(fs::current_path()))
      EXPECT_EQ(entry.path().filename(), "wrd_01.txt") << words;
  }
  // The record files then give the same as ever: here the record off the pages
  // is counted but not written.
  expect_same_as_record_files(word_record("the", "other.htm", 1, 1) + word_record("the", "page_01.htm", 1, 1), 2,
                              false);
}

// Records lost on disk end the run as a failing sort does.
TEST_F(direct_tables_test, records_lost_on_disk_end_the_run) {
  set_word_number_chunk(7);
  write_file("wrd_01.txt", sample_words(2, 20, 5));
  the_run().input_file_count = 1;
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(build_word_tables_directly());
  ASSERT_TRUE(fs::exists("word_numbers_2.txt"));
  write_file("word_numbers_2.txt", "");
  EXPECT_THROW(build_group_files_directly(), run_ended);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "processed 20%\nprocessed 30%\nprocessed 40%\nsort error\n");
}

TEST_F(direct_tables_test, field_order_is_that_of_record_lines) {
  EXPECT_TRUE(field_less("abc!", "abc"));
  EXPECT_TRUE(field_less("abc d", "abc"));
  EXPECT_TRUE(field_less("abc", "abcd"));
  EXPECT_TRUE(field_less("ab", "abc"));
  EXPECT_FALSE(field_less("abc", "abc"));
  EXPECT_TRUE(field_less("z", "\xC3\xA9"));
}

TEST_F(direct_tables_test, finds_the_word_id_texts_that_findstr_would_find) {
  std::vector<std::uint64_t> found;
  for (const char* text : {"xid00000123x", "Id000001234", "id0000012", "idea", "ID99999999id00000007"})
    add_word_id_texts(text, found);
  EXPECT_EQ(found, (std::vector<std::uint64_t>{123, 123, 99999999, 7}));
}

// A word or page that holds the id text of a word would put its line into that
// word's occurrence file: such a corpus goes the record-file way. Id texts of
// no word change nothing.
TEST_F(direct_tables_test, words_holding_the_id_of_a_word_go_the_record_file_way) {
  // aaa is id00000000 and id00000001 is no word's id.
  const std::string words = word_record("aaa", "page_01.htm", 1, 1) + word_record("aaa", "page_02.htm", 1, 1) +
                            word_record("aaa", "page_03.htm", 2, 1);
  expect_same_as_record_files(words + word_record("xid00000001x", "page_03.htm", 3, 1), 2);
  // findstr lists the line on page_04.htm after those of aaa, which makes it
  // the next page of aaa on page_03.htm.
  expect_same_as_record_files(words + word_record("xid00000000x", "page_04.htm", 3, 1), 2, false);
  expect_same_as_record_files(words + word_record("ID00000000", "page_02.htm", 3, 1), 2, false);
}

}  // namespace
}  // namespace docbase
