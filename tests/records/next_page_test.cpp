#include "records/next_page.h"

#include <map>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::write_file;

class next_page_test : public testing::temp_folder_test {};

// The next page of every page asked about, found in an occurrence file with
// records on the given pages in this order, and from the pages alone.
TEST_F(next_page_test, the_page_after_the_first_run_that_a_greater_page_follows) {
  struct case_ {
    const char* name;
    std::vector<std::string> pages;
    std::map<std::string, std::string> next;
  };
  const std::vector<case_> cases = {
      {"ascending pages", {"page_01.htm", "page_01.htm", "page_03.htm"}, {{"page_01.htm", "page_03.htm"}, {"page_03.htm", ""}}},
      {"one page", {"page_02.htm"}, {{"page_02.htm", ""}}},
      {"a smaller page after the first run: the search goes on",
       {"page_02.htm", "page_01.htm", "page_02.htm", "page_03.htm"},
       {{"page_02.htm", "page_03.htm"}, {"page_01.htm", "page_02.htm"}, {"page_03.htm", ""}}},
      {"a page without records", {"page_01.htm", "page_02.htm"}, {{"page_09.htm", ""}}},
      {"records without a page end the search", {"", ""}, {{"", ""}}},
  };
  for (const case_& c : cases) {
    std::string file;
    for (const std::string& page : c.pages) file += "\"" + page + "\",\"         1\",\"     1\",\"word\",\"id00000000\"\r\n";
    write_file("id00000000.txt", file);
    page_runs runs;
    for (const std::string& page : c.pages) runs.add(page);
    std::map<std::string, std::string> from_runs;
    runs.for_each_next_page([&](const std::string& page, const std::string& next) { from_runs[page] = next; });
    for (const auto& [page, next] : c.next) {
      EXPECT_EQ(find_next_page("id00000000.txt", page), next) << c.name << ": " << page;
      EXPECT_EQ(from_runs.contains(page) ? from_runs[page] : "", next) << c.name << ": " << page;
    }
  }
  EXPECT_EQ(find_next_page("id99999999.txt", "page_01.htm"), "");
}

}  // namespace
}  // namespace docbase
