#include "workspace/shell_sort.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "workspace/shell.h"
#include "workspace/shell_io.h"
#include "workspace/shell_names.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

class shell_sort_test : public testing::temp_folder_test {
 protected:
  void TearDown() override {
    set_sort_run_bytes(saved_run_bytes_);
    temp_folder_test::TearDown();
  }
  std::size_t saved_run_bytes_ = sort_run_bytes();
};

std::string shell_errors(std::string_view line) {
  std::ostringstream out, err;
  run_shell(line, out, err);
  return err.str();
}

TEST(folded_order, letters_fold_and_ties_go_by_raw_bytes) {
  std::vector<std::string> lines = {"b", "B", "a", "A", "_", "\xC3\xA9", "", "ab", "a b", "Z", "[", "\x7f"};
  std::sort(lines.begin(), lines.end(), folded_less);
  // '[' and '_' lie between the capital and the small letters: folding puts
  // them before every letter; bytes 0x80 and up come after all ASCII.
  std::vector<std::string> expected = {"", "[", "_", "A", "a", "a b", "ab", "B", "b", "Z", "\x7f", "\xC3\xA9"};
  EXPECT_EQ(lines, expected);
}

TEST_F(shell_sort_test, sort_writes_the_lines_in_folded_order_with_crlf) {
  write_file("dir_02.txt", "b.htm\r\nB.htm\r\n\r\nA.htm\nz\r\r\n\xC3\xA9\r\na.htm");
  EXPECT_EQ(shell_errors("sort dir_02.txt /o dir_03.txt"), "");
  EXPECT_EQ(read_file("dir_03.txt"), "\r\nA.htm\r\na.htm\r\nB.htm\r\nb.htm\r\nz\r\r\n\xC3\xA9\r\n");

  // Record lines sort by their first field, then by the rest.
  write_file("wrd_11_1.txt",
             "\"page_02.htm\",\"         1\",\"     5\"\r\n"
             "\"page_01.htm\",\"        10\",\"     1\"\r\n"
             "\"page_01.htm\",\"         9\",\"    12\"\r\n");
  EXPECT_EQ(shell_errors("sort wrd_11_1.txt /o wrd_12_1.txt"), "");
  EXPECT_EQ(read_file("wrd_12_1.txt"),
            "\"page_01.htm\",\"         9\",\"    12\"\r\n"
            "\"page_01.htm\",\"        10\",\"     1\"\r\n"
            "\"page_02.htm\",\"         1\",\"     5\"\r\n");
}

TEST_F(shell_sort_test, sort_edge_cases) {
  write_file("empty.txt", "");
  EXPECT_EQ(shell_errors("sort empty.txt /o out.txt"), "");
  EXPECT_EQ(read_file("out.txt"), "");

  write_file("same.txt", "b\r\na\r\n");
  EXPECT_EQ(shell_errors("sort same.txt /o SAME.TXT"), "");
  EXPECT_EQ(read_file("same.txt"), "a\r\nb\r\n");

  EXPECT_EQ(shell_errors("sort missing.txt /o out2.txt"), "The system cannot find the file specified.\n");
  EXPECT_FALSE(fs::exists("out2.txt"));
  EXPECT_EQ(shell_errors("sort same.txt /o nowhere\\out.txt"), "The system cannot find the path specified.\n");
  EXPECT_EQ(shell_errors("sort same.txt /o ..\\out.txt"), "Access is denied.\n");

  std::ostringstream out, err;
  run_shell("sort same.txt", out, err);
  EXPECT_EQ(out.str(), "a\nb\n");
}

std::vector<std::string> random_lines(std::size_t count) {
  std::mt19937 random(7);
  const std::string alphabet = "aAbBzZ_ 0\xC3\xA9\r";
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < count; ++i) {
    std::string line;
    std::size_t length = random() % 12;
    for (std::size_t j = 0; j < length; ++j) line += alphabet[random() % alphabet.size()];
    if (!line.empty() && line.back() == '\r') line.back() = 'x';
    lines.push_back(line);
  }
  return lines;
}

TEST_F(shell_sort_test, a_sort_through_many_runs_equals_the_sort_in_memory) {
  std::vector<std::string> lines = random_lines(30000);
  std::string input;
  for (const std::string& line : lines) input += line + "\r\n";
  write_file("big.txt", input);

  // Runs of about 40 lines: some 750 runs, merged in several passes.
  set_sort_run_bytes(1000);
  EXPECT_EQ(shell_errors("sort big.txt /o big_sorted.txt"), "");

  std::sort(lines.begin(), lines.end(), folded_less);
  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  EXPECT_EQ(read_file("big_sorted.txt"), expected);

  // The run files leave nothing behind.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"big.txt", "big_sorted.txt"}));
}

TEST_F(shell_sort_test, line_sorter_spills_runs_of_the_given_size) {
  std::vector<std::string> lines = random_lines(500);
  line_sorter sorter(200);
  for (const std::string& line : lines) sorter.add(line);
  EXPECT_GT(sorter.spilled_runs(), 10u);
  std::ostringstream console;
  shell_output out(console);
  sorter.write_sorted(out);
  std::sort(lines.begin(), lines.end(), folded_less);
  std::string expected;
  for (const std::string& line : lines) expected += line + "\n";
  EXPECT_EQ(console.str(), expected);
}

}  // namespace
}  // namespace docbase
