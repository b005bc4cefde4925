#include "records/record_file.h"

#include <algorithm>
#include <vector>

#include "records/text.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::read_file;
using testing::write_file;

class record_file_test : public testing::temp_folder_test {};

std::vector<std::string> read_fields(const std::string& bytes, int count) {
  write_file("in.txt", bytes);
  record_file file;
  file.open_for_reading("in.txt");
  std::vector<std::string> fields;
  for (int i = 0; i < count; ++i) fields.push_back(file.read_field());
  return fields;
}

std::vector<std::string> read_all_lines(const std::string& bytes) {
  write_file("in.txt", bytes);
  record_file file;
  file.open_for_reading("in.txt");
  std::vector<std::string> lines;
  while (!file.at_end_of_file()) lines.push_back(file.read_line());
  return lines;
}

TEST_F(record_file_test, record_round_trip_with_empty_field_and_blank) {
  record_file out;
  out.open_for_output("out.txt");
  out.write_record({"ab", "", "c d"});
  out.write_record({"a,b"});
  out.close();
  EXPECT_EQ(read_file("out.txt"), "\"ab\",\"\",\"c d\"\r\n\"a,b\"\r\n");

  record_file in;
  in.open_for_reading("out.txt");
  EXPECT_EQ(in.read_field(), "ab");
  EXPECT_EQ(in.read_field(), "");
  EXPECT_EQ(in.read_field(), "c d");
  EXPECT_FALSE(in.at_end_of_file());
  EXPECT_EQ(in.read_field(), "a,b");
  EXPECT_TRUE(in.at_end_of_file());
  EXPECT_EQ(in.read_field(), "");
}

TEST_F(record_file_test, field_reading_rules) {
  struct case_ {
    const char* bytes;
    std::vector<std::string> fields;
  };
  const std::vector<case_> cases = {
      // a quote inside a quoted field splits it; the rest is an unquoted field
      {"\"ab\"cd\",\"x\"\r\n", {"ab", "cd\"", "x"}},
      // blanks and tabs before a field are skipped, those inside quotes kept
      {" \t\"  ab\"  ,\"c\"\r\n", {"  ab", "c"}},
      // an unquoted field keeps its inner and trailing blanks
      {"  a b ,c\r\n", {"a b ", "c"}},
      // an empty line is one empty field and its line end is consumed
      {"\r\n\"x\"\r\n", {"", "x"}},
      // a line end ends a quoted field; a lone CR too
      {"\"ab\ncd\"\r\n", {"ab", "cd\""}},
      {"\"ab\rcd\"", {"ab", "cd\""}},
      // no line end after the last field
      {"\"a\",\"b\"", {"a", "b"}},
      // a byte other than a comma after the closing quote begins the next field
      {"\"a\"  x,\"b\"", {"a", "x", "b"}},
  };
  for (const case_& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(read_fields(c.bytes, static_cast<int>(c.fields.size())), c.fields);
    record_file file;
    file.open_for_reading("in.txt");
    for (std::size_t i = 0; i < c.fields.size(); ++i) file.read_field();
    EXPECT_TRUE(file.at_end_of_file());
  }
}

TEST_F(record_file_test, field_is_cut_at_4096_bytes_and_the_rest_follows) {
  std::string long_value(5000, 'w');
  auto fields = read_fields("\"" + long_value + "\",\"next\"\r\n", 3);
  EXPECT_EQ(fields[0], std::string(4096, 'w'));
  EXPECT_EQ(fields[1], std::string(904, 'w') + "\"");
  EXPECT_EQ(fields[2], "next");
  // A cut exactly before the closing quote: that quote opens the next field,
  // which the opening quote of the following field then closes.
  fields = read_fields("\"" + std::string(4096, 'v') + "\",\"b\"\r\n", 3);
  EXPECT_EQ(fields[0], std::string(4096, 'v'));
  EXPECT_EQ(fields[1], ",");
  EXPECT_EQ(fields[2], "b\"");
}

TEST_F(record_file_test, line_reading_rules) {
  EXPECT_EQ(read_all_lines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(read_all_lines("a\rb\r\n"), (std::vector<std::string>{"a\rb"}));
  EXPECT_EQ(read_all_lines("a\r\n\r\nlast\r"), (std::vector<std::string>{"a", "", "last"}));
  EXPECT_EQ(read_all_lines(""), std::vector<std::string>{});
  std::string huge(300000, 'x');
  EXPECT_EQ(read_all_lines(huge + "\r\ny"), (std::vector<std::string>{huge, "y"}));
}

TEST_F(record_file_test, end_of_file_is_judged_against_the_length_at_open) {
  write_file("grow.txt", "one\r\n");
  record_file in;
  in.open_for_reading("grow.txt");
  record_file more;
  more.open_for_append("grow.txt");
  more.write_line("two");
  more.close();
  EXPECT_EQ(in.read_line(), "one");
  EXPECT_TRUE(in.at_end_of_file());
  in.rewind();
  EXPECT_EQ(in.read_line(), "one");
}

TEST_F(record_file_test, missing_file_reads_as_empty_and_lost_writes_are_silent) {
  record_file in;
  in.open_for_reading("missing.txt");
  EXPECT_TRUE(in.at_end_of_file());
  EXPECT_EQ(in.read_field(), "");
  EXPECT_EQ(in.read_line(), "");
  record_file out;
  out.open_for_output("no_such_folder\\x.txt");
  out.write_line("lost");
  out.close();
  EXPECT_FALSE(std::filesystem::exists("no_such_folder"));
}

TEST_F(record_file_test, names_match_without_regard_to_case) {
  write_file("htm_in/Notes.htm", "x\r\n");
  record_file in;
  in.open_for_reading("HTM_IN\\notes.htm");
  EXPECT_EQ(in.read_line(), "x");
  record_file out;
  out.open_for_output("htm_in\\NOTES.HTM");
  out.write_line("y");
  out.close();
  EXPECT_EQ(read_file("htm_in/Notes.htm"), "y\r\n");
  EXPECT_FALSE(std::filesystem::exists("htm_in/NOTES.HTM"));
}

TEST_F(record_file_test, paths_outside_the_folder_tree_are_refused) {
  for (const char* path : {"..\\escape.txt", "\\abs.txt", "/tmp/abs.txt", "C:\\x.txt", "a\\..\\..\\b.txt"}) {
    record_file out;
    out.open_for_output(path);
    EXPECT_FALSE(out.is_open()) << path;
  }
}

TEST_F(record_file_test, numbers_and_print_zones) {
  record_file out;
  out.open_for_output("n.txt");
  out.write_number(0, number_end::line_end);
  out.write_number(-7, number_end::line_end);
  out.write_number(12, number_end::zone);
  out.write_text("w");
  out.write_line("");
  out.write_text(std::string(13, 'x'));
  out.write_number(5, number_end::zone);
  out.write_line("");
  out.close();
  EXPECT_EQ(read_file("n.txt"), " 0\r\n-7\r\n 12" + std::string(11, ' ') + "w\r\n" + std::string(13, 'x') + " 5" +
                                    std::string(13, ' ') + "\r\n");
}

TEST_F(record_file_test, fifty_one_files_open_at_once) {
  std::vector<record_file> files(51);
  for (int i = 0; i < 51; ++i) {
    files[i].open_for_output("f_" + std::to_string(i) + ".txt");
    ASSERT_TRUE(files[i].is_open());
  }
}

TEST(byte_order, bytes_compare_unsigned_and_prefix_first) {
  EXPECT_TRUE(byte_less("z", "\xC3\xA9"));
  EXPECT_TRUE(byte_less("ab", "abc"));
  EXPECT_TRUE(byte_less("B", "a"));
  std::vector<std::string> lines = {"\"ab\",\"1\"", "\"ab c\",\"2\""};
  std::sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) { return byte_less(a, b); });
  EXPECT_EQ(lines.front(), "\"ab c\",\"2\"");
}

}  // namespace
}  // namespace docbase
