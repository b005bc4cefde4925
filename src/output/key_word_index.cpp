#include "output/key_word_index.h"

#include <string>
#include <string_view>

#include "output/contents_page.h"
#include "output/html_blocks.h"
#include "output/html_file.h"
#include "output/record_reader.h"
#include "run/run_values.h"

namespace docbase {

namespace {

// Entries written since the last promotional block, over the whole run.
int entry_count = 0;

// Consecutive records of one word on one page.
struct record_run {
  std::string word_id;
  std::string page;
  std::string word;
  std::string occurrence_number;
  long long records = 0;
};

// The first line of an entry: the word, linked to its first place on the
// page, then the page and how often the word occurs there; then line_end.
void write_entry_head(html_file& index, const record_run& run, std::string_view line_end) {
  index.write_line("<a href=\"", run.page, "#", run.word_id, "\" id=\"", run.word_id, "\">", run.word,
                   "</a>&nbsp;&nbsp;&nbsp; (", run.page, ", ", std::to_string(run.records), ")", line_end);
}

void write_entry(html_file& index, const record_run& run, const std::string& group) {
  const std::string& program_site = the_run().program_site;
  index.write_line("<br>");
  write_entry_head(index, run, "");
  index.write_line("&nbsp;&nbsp;<a href=\"s_", group, ".htm#", run.word_id, "_", run.occurrence_number, "\">s_", group,
                   "</a>");
  index.write_line("&nbsp;&nbsp;<a href=\"index.htm#", run.word_id, "\"> index</a>");
  index.write_line("&nbsp;&nbsp;<a href=\"files_list.htm#", run.page, "\"> Content </a>");
  if (!program_site.empty()) {
    index.write_line("&nbsp;&nbsp; <a href=\"", search_base, "/search?q=", run.word, " site:", program_site, "\"> ",
                     program_site, "</a>");
  }
}

}  // namespace

void restart_entry_count() { entry_count = 0; }

void write_key_word_index_page(int group) {
  const std::string group_text = std::to_string(group);
  html_file index;
  index.open_for_output("i_" + group_text + ".htm");
  write_head_lines(index, "index of key words");
  write_promotional_block(index);
  write_description_block(index);
  index.write_line("<br><br>");
  write_contents_page();
  index.write_line("<a href=\"files_list.htm\"> Content </a><br>");
  index.write_line("<br>");

  record_reader<7> words;
  words.open("wrd_14_" + group_text + ".txt");
  record_run run;
  bool holding = false;
  while (!words.at_end()) {
    // word id, page, line, column, word, word id, occurrence number
    const record_reader<7>::fields& record = words.next();
    if (holding && record[0] == run.word_id && record[1] == run.page) {
      ++run.records;
      continue;
    }
    if (holding) {
      write_entry(index, run, group_text);
      if (++entry_count > 100) {
        write_promotional_block(index);
        entry_count = 0;
      }
    }
    run.word_id = record[0];
    run.page = record[1];
    run.word = record[4];
    run.occurrence_number = record[6];
    run.records = 1;
    holding = true;
  }
  // The last entry is one line, and it is not counted.
  if (holding) write_entry_head(index, run, "<br>");
  index.write_line("</body>");
  index.write_line("</html>");
}

}  // namespace docbase
