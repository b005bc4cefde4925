#include "records/merge_sort.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "records/text.h"
#include "run/run_values.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

class merge_sort_test : public testing::temp_folder_test {};

// n lines of descending numbers, so that every run needs sorting.
std::string numbered_lines(int n) {
  std::string bytes;
  for (int i = n; i >= 1; --i) bytes += "line " + std::to_string(i) + "\r\n";
  return bytes;
}

std::string sorted_lines(int n) {
  std::vector<std::string> lines;
  for (int i = 1; i <= n; ++i) lines.push_back("line " + std::to_string(i));
  std::sort(lines.begin(), lines.end());
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::size_t line_count(const std::string& bytes) { return std::count(bytes.begin(), bytes.end(), '\n'); }

TEST_F(merge_sort_test, lines_come_out_in_byte_order_with_crlf) {
  struct case_ {
    const char* name;
    std::string input;
    std::string output;
  };
  const std::vector<case_> cases = {
      {"duplicates kept", "b\r\na\r\nb\r\n", "a\r\nb\r\nb\r\n"},
      {"capitals before small letters", "a\r\nB\r\n", "B\r\na\r\n"},
      {"bytes from 0x80 after ASCII", "\xC3\xA9\r\nz\r\n~\r\n", "z\r\n~\r\n\xC3\xA9\r\n"},
      {"a prefix before the longer line", "abc\r\nab\r\n", "ab\r\nabc\r\n"},
      {"last line without line end", "b\r\na", "a\r\nb\r\n"},
      {"LF alone ends a line too", "b\na\n", "a\r\nb\r\n"},
      {"an empty line is a line", "b\r\n\r\n", "\r\nb\r\n"},
      {"record lines: a blank after the shared first field sorts first",
       "\"ab\",\"1\"\r\n\"ab c\",\"2\"\r\n", "\"ab c\",\"2\"\r\n\"ab\",\"1\"\r\n"},
      {"empty input", "", ""},
  };
  for (const case_& c : cases) {
    write_file("in.txt", c.input);
    sort_file("in.txt", "out.txt");
    EXPECT_EQ(read_file("out.txt"), c.output) << c.name;
  }
}

TEST_F(merge_sort_test, runs_hold_2000_lines_and_are_numbered_without_padding) {
  write_file("in.txt", numbered_lines(2000));
  sort_file("in.txt", "out.txt");
  EXPECT_EQ(line_count(read_file("file_s_1.txt")), 2000u);
  EXPECT_FALSE(fs::exists("file_s_2.txt"));
  EXPECT_EQ(read_file("out.txt"), sorted_lines(2000));

  write_file("in.txt", numbered_lines(2001));
  sort_file("in.txt", "out.txt");
  EXPECT_EQ(line_count(read_file("file_s_1.txt")), 2000u);
  EXPECT_EQ(read_file("file_s_2.txt"), "line 1\r\n");
  EXPECT_EQ(read_file("out.txt"), sorted_lines(2001));

  write_file("in.txt", numbered_lines(18001));
  sort_file("in.txt", "out.txt");
  EXPECT_EQ(read_file("file_s_10.txt"), "line 1\r\n");
  EXPECT_FALSE(fs::exists("file_s_01.txt"));
  EXPECT_EQ(read_file("out.txt"), sorted_lines(18001));
}

// 51 runs: the first pass merges runs 1 to 50 into a new run 52 at the end of
// the queue and deletes them; the second merges run 51 with run 52.
TEST_F(merge_sort_test, more_runs_than_file_max_need_a_second_pass) {
  write_file("file_s_77.txt", "left by an earlier sort\r\n");
  write_file("out.txt", "an old output that is replaced, not appended to\r\n");
  write_file("in.txt", numbered_lines(100001));
  sort_file("in.txt", "out.txt");
  EXPECT_EQ(read_file("out.txt"), sorted_lines(100001));
  EXPECT_FALSE(fs::exists("file_s_77.txt"));
  EXPECT_FALSE(fs::exists("file_s_1.txt"));
  EXPECT_FALSE(fs::exists("file_s_50.txt"));
  EXPECT_EQ(read_file("file_s_51.txt"), "line 1\r\n");
  EXPECT_EQ(line_count(read_file("file_s_52.txt")), 100000u);
  EXPECT_TRUE(fs::exists("null.txt"));
  EXPECT_TRUE(fs::exists("out_null.list"));
}

TEST_F(merge_sort_test, an_empty_input_name_ends_the_run_without_a_word) {
  ::testing::internal::CaptureStdout();
  EXPECT_THROW(sort_file("", "out.txt"), run_ended);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(fs::exists("out.txt"));
}

bool reverse_byte_less(std::string_view a, std::string_view b) { return byte_less(b, a); }

TEST_F(merge_sort_test, a_merge_out_of_byte_order_ends_the_run_with_sort_error) {
  write_file("in.txt", "a\r\nb\r\n");
  ::testing::internal::CaptureStdout();
  EXPECT_THROW(sort_file("in.txt", "out.txt", reverse_byte_less), run_ended);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "sort error\n");
  EXPECT_FALSE(fs::exists("out.txt"));
}

TEST_F(merge_sort_test, a_merge_output_without_a_handle_ends_the_run_with_the_file_block) {
  fs::create_directory("sort_output.txt");
  write_file("in.txt", "b\r\na\r\n");
  ::testing::internal::CaptureStdout();
  EXPECT_THROW(sort_file("in.txt", "out.txt"), run_ended);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(),
            "---------- sort error ----------\n"
            "number of files > file.max\n"
            "file.max =  1\n"
            "sort.input$ = in.txt\n"
            "sort.output$ = out.txt\n"
            "file.name.02$ = sort_output.txt\n"
            "file.num.02 =  0\n");
}

// A run that could not be written would lose its lines: the sort says so
// instead of handing on a shorter file.
TEST_F(merge_sort_test, a_run_that_cannot_be_written_ends_the_run_with_sort_error) {
  fs::create_directory("file_s_2.txt");
  write_file("in.txt", numbered_lines(2001));
  ::testing::internal::CaptureStdout();
  EXPECT_THROW(sort_file("in.txt", "out.txt"), run_ended);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "sort error\n");
}

TEST(merge_sorted, merges_in_the_given_order_and_ties_go_to_the_lower_source) {
  std::vector<std::vector<std::string>> sources = {{"a1", "B2", "c1"}, {"A2", "b1"}, {}, {"b3", "C3"}};
  std::vector<std::size_t> taken(sources.size(), 0);
  auto folded_less = [](std::string_view a, std::string_view b) {
    return lower_ascii(a.substr(0, 1)) < lower_ascii(b.substr(0, 1));
  };
  std::vector<std::string> merged;
  merge_sorted(
      sources.size(),
      [&](std::size_t i, std::string& line) {
        if (taken[i] == sources[i].size()) return false;
        line = sources[i][taken[i]++];
        return true;
      },
      folded_less, [&](const std::string& line) { merged.push_back(line); });
  EXPECT_EQ(merged, (std::vector<std::string>{"a1", "A2", "B2", "b1", "b3", "c1", "C3"}));
}

}  // namespace
}  // namespace docbase
