#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pages/page_list.h"

namespace docbase {
namespace {

TEST(page_number_width, grows_with_the_number_of_entries) {
  const std::pair<long long, int> cases[] = {{1, 2},       {2, 2},       {10, 2},       {11, 3},
                                             {100, 3},     {101, 4},     {1000, 4},     {1001, 5},
                                             {10000, 5},   {10001, 6},   {100001, 7},   {1000000, 7},
                                             {1000001, 8}, {50000000, 8}};
  for (auto [entries, width] : cases) EXPECT_EQ(page_number_width(entries), width) << entries;
}

TEST(page_number_name, pads_the_number_with_zeros_to_the_width) {
  EXPECT_EQ(page_number_name(1, 2), "page_01.htm");
  EXPECT_EQ(page_number_name(10, 2), "page_10.htm");
  EXPECT_EQ(page_number_name(1, 3), "page_001.htm");
  EXPECT_EQ(page_number_name(11, 3), "page_011.htm");
  EXPECT_EQ(page_number_name(1234, 8), "page_00001234.htm");
}

struct line_case {
  std::string line;
  std::optional<std::string> normalised;
};

TEST(normalise_line, outside_a_table) {
  const line_case cases[] = {
      {"", "<br>"},
      {"     ", "<br>"},
      {"plain text   ", "<br>plain text"},
      {"   three", "<br>&nbsp;&nbsp;&nbsp;   three"},
      {" <br>indented", "<br>&nbsp; <br>indented"},
      {"<br> already", "<br> already"},
      {"<BR>upper", "<br><BR>upper"},
      {"two\twords", "<br>twowords"},
      {std::string("a\x01\x0f\x10\x1f b\r", 8), std::string("<br>a\x10\x1f b", 9)},
      {"caf\xC3\xA9", "<br>caf\xC3\xA9"},
      {"<pre>", std::nullopt},
      {"  <pre>text", std::nullopt},
      {"</pre>  ", std::nullopt},
      {"</PRE>", "<br></PRE>"},
      {"<HTML>", "<br><HTML>"},
      {"<table>", "<br><table>"},
  };
  for (const line_case& c : cases) {
    bool inside_table = false;
    EXPECT_EQ(normalise_line(c.line, inside_table), c.normalised) << c.line;
    EXPECT_FALSE(inside_table) << c.line;
  }
}

TEST(normalise_line, a_table_with_attributes_is_kept_as_it_stands_up_to_its_end) {
  const std::vector<std::string> lines = {
      "before", "<TABLE border=1>", "<tr>\t<td>  cell</td>  ", "   kept", "<pre>", "</table>", "after",
      "<table x></table>"};
  const std::vector<std::optional<std::string>> expected = {
      "<br>before", "<TABLE border=1>", "<tr>\t<td>  cell</td>", "   kept", std::nullopt, "<br></table>",
      "<br>after",  "<br><table x></table>"};
  bool inside_table = false;
  for (std::size_t k = 0; k < lines.size(); ++k)
    EXPECT_EQ(normalise_line(lines[k], inside_table), expected[k]) << lines[k];
  EXPECT_FALSE(inside_table);
}

}  // namespace
}  // namespace docbase
