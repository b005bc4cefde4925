#include "output/record_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace docbase::testing {
namespace {

class record_reader_test : public temp_folder_test {};

using records = std::vector<std::vector<std::string>>;

// The records of the table as three calls of read_field a record give them.
records by_read_field(const std::string& path) {
  records result;
  record_file file;
  file.open_for_reading(path);
  while (!file.at_end_of_file()) result.push_back({file.read_field(), file.read_field(), file.read_field()});
  return result;
}

records by_reader(const std::string& path) {
  records result;
  record_reader<3> reader;
  reader.open(path);
  while (!reader.at_end()) {
    const record_reader<3>::fields& fields = reader.next();
    result.push_back({std::string(fields[0]), std::string(fields[1]), std::string(fields[2])});
  }
  return result;
}

// Plain lines, and lines that read_field reads otherwise than they stand,
// first, in the middle and last: the reader gives read_field's fields.
TEST_F(record_reader_test, gives_the_fields_of_read_field_whatever_the_lines_hold) {
  const std::string plain = "\"a\",\"b c\",\"d,e\"\r\n";
  const std::string long_field(record_file::field_limit, 'x');
  const std::vector<std::string> awkward = {
      "\"ab\"cd\",\"x\",\"y\"\r\n",   // a quote inside a field
      "\"a\",\"b\"\r\n",              // a field too few
      "\"a\",\"b\",\"c\",\"d\"\r\n",  // a field too many
      " \"a\",\"b\",\"c\"\r\n",       // a blank before a quote
      "\"a\r\",\"b\",\"c\"\r\n",      // a CR inside a field
      "a,b,c\r\n",                    // fields without quotes
      "\r\n",                         // an empty line
  };
  for (const std::string& odd : awkward) {
    SCOPED_TRACE(odd.substr(0, 20));
    for (const std::string& table : {odd + plain + plain, plain + odd + plain + plain, plain + plain + odd}) {
      write_file("table.txt", table);
      EXPECT_EQ(by_reader("table.txt"), by_read_field("table.txt"));
    }
  }
  // A field longer than read_field takes whole is given whole, and the records
  // after it stay in step.
  write_file("table.txt", "\"" + long_field + "x\",\"b\",\"c\"\r\n" + plain);
  EXPECT_EQ(by_reader("table.txt"), (records{{long_field + "x", "b", "c"}, {"a", "b c", "d,e"}}));
  // Line ends of LF alone and a last line without one are plain too.
  write_file("table.txt", "\"a\",\"b\",\"c\"\n\"d\",\"\",\"f\"");
  EXPECT_EQ(by_reader("table.txt"), (records{{"a", "b", "c"}, {"d", "", "f"}}));
  EXPECT_EQ(by_reader("missing.txt"), records{});
}

TEST_F(record_reader_test, rewinds_to_the_first_record) {
  write_file("table.txt", "\"a\",\"b\",\"c\"\r\n\"x\"y\",\"z\",\"w\"\r\n");
  record_reader<3> reader;
  reader.open("table.txt");
  reader.next();
  reader.next();
  reader.rewind();
  EXPECT_EQ(reader.next()[0], "a");
}

}  // namespace
}  // namespace docbase::testing
