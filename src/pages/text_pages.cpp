#include "pages/text_pages.h"

#include "pages/intake.h"
#include "pages/page_stages.h"
#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "run/prompts.h"
#include "run/run_values.h"
#include "workspace/shell.h"

namespace docbase {

std::string text_page_name(std::string_view line) {
  std::string_view name = trim_blanks(line);
  std::size_t p = extension_position(name);
  if (p == 0) return {};
  return std::string(name.substr(0, p)) + "htm";
}

void write_text_page(std::string_view text_path, std::string_view page_path) {
  record_file text;
  record_file page;
  text.open_for_reading(text_path);
  page.open_for_output(page_path);
  page.write_line("<HTML>");
  page.write_line("<head>");
  page.write_line("<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">");
  page.write_line("<title>");
  page.write_line(page_path);
  page.write_line("</title>");
  page.write_line("</head>");
  page.write_line("<body>");
  page.write_line("<pre>");
  std::string line;
  while (text.read_line(line)) page.write_line(trim_trailing_blanks(line));
  page.write_line("</pre>");
  page.write_line("</body>");
  page.write_line("</html>");
  text.close();
  page.close();
}

void convert_texts() {
  record_file list;
  list.open_for_reading("txt_wrk.list");
  std::string line;
  while (list.read_line(line)) {
    std::string page_name = text_page_name(line);
    if (page_name.empty()) continue;
    write_text_page("txt_wrk\\" + std::string(trim_blanks(line)), "htm_wrk\\" + page_name);
  }
  list.close();

  write_line("----- dir htm_wrk -----");
  run_shell("dir /b htm_wrk\\*.htm");
  write_line();
  write_line("-----------------------");
  write_text("number of files =");
  write_number(the_run().input_file_count);
  write_line();
  write_line();
  choice_prompt("<1> continue", "<2> end");
  write_line();
  run_shell("md htm_in > out_null.list");
  run_shell("del /q htm_in\\*.* > out_null.list");
}

}  // namespace docbase
