#include "records/page_groups.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "records/direct_tables.h"
#include "records/next_page.h"
#include "records/record_file.h"
#include "records/record_stages.h"
#include "run/run_values.h"
#include "support/temp_folder.h"
#include "workspace/shell.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

// The groups of the record-file pipeline, which every wrd_01.txt can take.
class page_groups_test : public testing::temp_folder_test {
 protected:
  void SetUp() override {
    temp_folder_test::SetUp();
    allow_direct_tables(false);
  }
  void TearDown() override {
    allow_direct_tables(true);
    set_page_sort_bytes(saved_page_sort_bytes_);
    the_run().input_file_count = 0;
    temp_folder_test::TearDown();
  }

  // Builds the word tables from the word records and then the groups, for a
  // run of input_files texts; returns the console output.
  std::string build(const std::string& wrd_01, int input_files) {
    write_file("wrd_01.txt", wrd_01);
    the_run().input_file_count = input_files;
    ::testing::internal::CaptureStdout();
    build_word_tables();
    group_count_ = build_group_files();
    return ::testing::internal::GetCapturedStdout();
  }

  int group_count_ = 0;

 private:
  std::size_t saved_page_sort_bytes_ = page_sort_bytes();
};

std::string word_record(const std::string& word, const std::string& page, int line, int column) {
  std::string line_digits = std::to_string(line);
  std::string column_digits = std::to_string(column);
  return "\"" + word + "\",\"" + page + "\",\"" + std::string(10 - line_digits.size(), ' ') + line_digits + "\",\"" +
         std::string(6 - column_digits.size(), ' ') + column_digits + "\",\"" + word + "\"\r\n";
}

// The word Apple on page_01.htm twice and on page_03.htm once, zed on
// page_02.htm: apple gets id00000000 (its first record is the first of all)
// and zed id00000003.
const std::string apple_words = word_record("Apple", "page_01.htm", 1, 1) + word_record("apple", "page_01.htm", 2, 5) +
                                word_record("zed", "page_02.htm", 1, 1) + word_record("APPLE", "page_03.htm", 1, 1);

const char* const apple_on_1_line_2 = "\"page_01.htm\",\"         2\",\"     5\",\"apple\",\"id00000000\",\"2\"\r\n";
const char* const apple_on_1_line_1 = "\"page_01.htm\",\"         1\",\"     1\",\"Apple\",\"id00000000\",\"1\"\r\n";
const char* const zed_on_2 = "\"page_02.htm\",\"         1\",\"     1\",\"zed\",\"id00000003\",\"1\"\r\n";

TEST_F(page_groups_test, groups_their_tables_occurrence_files_and_next_pages) {
  EXPECT_EQ(build(apple_words, 2), "processed 20%\nprocessed 30%\nprocessed 40%\n");
  EXPECT_EQ(group_count_, 2);
  EXPECT_EQ(read_file("group_page_all.txt"), "page_01.htm\r\npage_02.htm\r\npage_03.htm\r\n");
  EXPECT_EQ(read_file("group_page_all_sort.txt"), "page_01.htm\r\npage_02.htm\r\npage_03.htm\r\n");
  EXPECT_EQ(read_file("group_search_1.txt"), "\"page_01.htm\"\r\n\"page_02.htm\"\r\n");
  EXPECT_EQ(read_file("group_search_2.txt"), "\"page_03.htm\"\r\n");

  // Page by page in group order, within a page in wrd_08.txt order (the
  // second occurrence first).
  EXPECT_EQ(read_file("wrd_11_1.txt"), std::string(apple_on_1_line_2) + apple_on_1_line_1 + zed_on_2);
  EXPECT_EQ(read_file("wrd_12_1.txt"), std::string(apple_on_1_line_1) + apple_on_1_line_2 + zed_on_2);
  EXPECT_EQ(read_file("wrd_13_1.txt"), "\"id00000000\"," + std::string(apple_on_1_line_2) + "\"id00000000\"," +
                                           apple_on_1_line_1 + "\"id00000003\"," + zed_on_2);
  EXPECT_EQ(read_file("wrd_14_1.txt"), "\"id00000000\"," + std::string(apple_on_1_line_1) + "\"id00000000\"," +
                                           apple_on_1_line_2 + "\"id00000003\"," + zed_on_2);
  EXPECT_EQ(read_file("wrd_12_2.txt"), "\"page_03.htm\",\"         1\",\"     1\",\"APPLE\",\"id00000000\",\"3\"\r\n");
  EXPECT_EQ(read_file("wrd_15.txt"),
            "\"id00000000\",\"    1\",\"page_01.htm\",\"         2\",\"     5\",\"apple\",\"2\"\r\n"
            "\"id00000000\",\"    1\",\"page_01.htm\",\"         1\",\"     1\",\"Apple\",\"1\"\r\n"
            "\"id00000003\",\"    1\",\"page_02.htm\",\"         1\",\"     1\",\"zed\",\"1\"\r\n"
            "\"id00000000\",\"    2\",\"page_03.htm\",\"         1\",\"     1\",\"APPLE\",\"3\"\r\n");

  EXPECT_EQ(read_file("id00000000.txt"),
            "\"page_01.htm\",\"         1\",\"     1\",\"Apple\",\"id00000000\"\r\n"
            "\"page_01.htm\",\"         2\",\"     5\",\"apple\",\"id00000000\"\r\n"
            "\"page_03.htm\",\"         1\",\"     1\",\"APPLE\",\"id00000000\"\r\n");
  EXPECT_EQ(read_file("id00000003.txt"), "\"page_02.htm\",\"         1\",\"     1\",\"zed\",\"id00000003\"\r\n");

  EXPECT_EQ(read_file("wrd_24_1.txt"),
            "\"page_01.htm\",\"         1\",\"     1\",\"Apple\",\"id00000000\",\"1\",\"page_03.htm\"\r\n"
            "\"page_01.htm\",\"         2\",\"     5\",\"apple\",\"id00000000\",\"2\",\"page_03.htm\"\r\n"
            "\"page_02.htm\",\"         1\",\"     1\",\"zed\",\"id00000003\",\"1\",\"\"\r\n");
  EXPECT_EQ(read_file("wrd_24_2.txt"),
            "\"page_03.htm\",\"         1\",\"     1\",\"APPLE\",\"id00000000\",\"3\",\"\"\r\n");
}

TEST_F(page_groups_test, groups_hold_as_many_pages_as_there_are_input_files) {
  struct case_ {
    int input_files;
    std::vector<std::string> group_files;
  };
  const std::string page_1 = "\"page_01.htm\"\r\n", page_2 = "\"page_02.htm\"\r\n", page_3 = "\"page_03.htm\"\r\n";
  const std::vector<case_> cases = {
      // One input file: no group is ever closed, since the first page is not counted against the size.
      {1, {page_1 + page_2 + page_3}},
      {2, {page_1 + page_2, page_3}},
      // Pages a multiple of the group size: the last group is empty.
      {3, {page_1 + page_2 + page_3, ""}},
  };
  const std::string words = word_record("one", "page_01.htm", 1, 1) + word_record("two", "page_02.htm", 1, 1) +
                            word_record("three", "page_03.htm", 1, 1);
  for (const case_& c : cases) {
    build(words, c.input_files);
    ASSERT_EQ(group_count_, static_cast<int>(c.group_files.size())) << c.input_files;
    for (std::size_t g = 1; g <= c.group_files.size(); ++g) {
      std::string n = std::to_string(g);
      EXPECT_EQ(read_file("group_search_" + n + ".txt"), c.group_files[g - 1]) << c.input_files << " " << g;
      for (const char* stem : {"wrd_11_", "wrd_12_", "wrd_13_", "wrd_14_", "wrd_24_"})
        EXPECT_TRUE(fs::exists(stem + n + ".txt")) << stem << n;
    }
  }
  EXPECT_EQ(read_file("wrd_24_2.txt"), "");
  EXPECT_EQ(read_file("wrd_11_2.txt"), "");
}

TEST_F(page_groups_test, group_numbers_are_right_aligned_in_five) {
  EXPECT_EQ(group_number_field(1), "    1");
  EXPECT_EQ(group_number_field(12345), "12345");
  EXPECT_EQ(group_number_field(123456), "123456");
}

TEST_F(page_groups_test, no_words_give_one_empty_group) {
  EXPECT_EQ(build("", 2), "processed 20%\nprocessed 30%\nprocessed 40%\n");
  EXPECT_EQ(group_count_, 1);
  for (const char* file : {"group_page_all.txt", "group_page_all_sort.txt", "group_search_1.txt", "wrd_12_1.txt",
                           "wrd_14_1.txt", "wrd_15.txt", "wrd_24_1.txt"}) {
    EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_EQ(read_file(file), "") << file;
  }
}

std::map<std::string, std::string> files_of(const std::vector<std::string>& names) {
  std::map<std::string, std::string> files;
  for (const std::string& name : names) files[name] = read_file(name);
  return files;
}

std::vector<std::string> group_outputs(int group_count) {
  std::vector<std::string> names = {"group_page_all_sort.txt", "wrd_15.txt"};
  for (int g = 1; g <= group_count; ++g)
    for (const char* stem : {"group_search_", "wrd_11_", "wrd_12_", "wrd_13_", "wrd_14_", "wrd_24_"})
      names.push_back(stem + std::to_string(g) + ".txt");
  return names;
}

// Lines of wrd_07.txt that are not plain records (here: a blank after a comma,
// which reading skips) send the groups the slow way, field by field, through
// wrd_07.txt sorted into wrd_08.txt; the result is the same.
TEST_F(page_groups_test, tables_that_are_not_plain_records_give_the_same_groups) {
  build(apple_words, 2);
  auto plain = files_of(group_outputs(2));
  std::string bytes = read_file("wrd_07.txt");
  bytes.replace(bytes.find("\",\"page_03.htm"), 2, "\", ");
  write_file("wrd_07.txt", bytes);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(build_group_files(), 2);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "processed 40%\n");
  EXPECT_EQ(files_of(group_outputs(2)), plain);
}

// Words whose text holds the id of another word put their lines into that
// word's occurrence file too, as findstr does; the next pages then follow the
// whole file. Checked against findstr and a reading of each file, and against
// pages sorted on disk.
TEST_F(page_groups_test, occurrence_files_and_next_pages_match_findstr_and_the_files) {
  const std::vector<std::string> vocabulary = {"Beta", "beta", "gamma", "delta", "DELTA", "omega", "pages"};
  std::string words;
  for (int i = 0; i < 300; ++i) {
    std::string page = "page_0" + std::to_string(1 + (i * 7) % 5) + ".htm";
    words += word_record(vocabulary[(i * 13 + i / 7) % vocabulary.size()], page, 1 + i / 4, 1 + (i % 4) * 20);
  }
  // aaa is id00000000; the lines of the three words after it hold that text,
  // so its occurrence file lists the pages 1, 2, 3, 5, 4.
  words += word_record("aaa", "page_01.htm", 90, 1) + word_record("aaa", "page_02.htm", 90, 1) +
           word_record("id00000000", "page_03.htm", 90, 1) + word_record("xid00000000x", "page_04.htm", 90, 1) +
           word_record("id0000000012345", "page_05.htm", 90, 1);
  build(words, 2);
  ASSERT_EQ(group_count_, 3);
  std::map<std::string, int> checked;
  for (int g = 1; g <= group_count_; ++g) {
    record_file group_words;
    group_words.open_for_reading("wrd_24_" + std::to_string(g) + ".txt");
    while (!group_words.at_end_of_file()) {
      std::vector<std::string> record;
      for (int f = 0; f < 7; ++f) record.push_back(group_words.read_field());
      const std::string& page = record[0];
      const std::string& id = record[4];
      if (checked[id]++ == 0) {
        run_shell("findstr \"" + id + "\" wrd_03.txt > findstr_check.txt");
        EXPECT_EQ(read_file(id + ".txt"), read_file("findstr_check.txt")) << id;
      }
      EXPECT_EQ(record[6], find_next_page(id + ".txt", page)) << id << " " << page;
      if (id == "id00000000") {
        EXPECT_EQ(record[6], page == "page_01.htm" ? "page_02.htm" : "page_03.htm");
      }
    }
  }
  EXPECT_EQ(checked.size(), 9u);
  EXPECT_EQ(checked["id00000000"], 2);

  auto in_memory = files_of(group_outputs(group_count_));
  set_page_sort_bytes(1);
  ::testing::internal::CaptureStdout();
  build_group_files();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(files_of(group_outputs(group_count_)), in_memory);
}

}  // namespace
}  // namespace docbase
