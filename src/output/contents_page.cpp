#include "output/contents_page.h"

#include <string>

#include "output/html_blocks.h"
#include "output/html_file.h"
#include "records/record_file.h"

namespace docbase {

void write_contents_page() {
  html_file contents;
  contents.open_for_output("files_list.htm");
  write_head_lines(contents, "index of key words");
  write_description_block(contents);
  contents.write_line("<br>");
  record_file list;
  list.open_for_reading("group_page_all_sort.txt");
  std::string page;
  while (list.read_line(page)) {
    contents.write_line("<a href=\"", page, "\"><span id = \"", page, "\" >", page, "</span></a><br>");
  }
  contents.write_line("<br><br>");
  contents.write_line("</body>");
  contents.write_line("</html>");
}

}  // namespace docbase
