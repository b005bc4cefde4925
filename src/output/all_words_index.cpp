#include <string>

#include "output/html_blocks.h"
#include "output/html_file.h"
#include "output/output_stages.h"
#include "output/record_reader.h"
#include "records/merge_sort.h"
#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"

namespace docbase {

namespace {

// word id, group number, page, line, column, word, occurrence number
using table_reader = record_reader<7>;

// True when the table holds at least count records.
bool holds_records(table_reader& table, int count) {
  int read = 0;
  while (read < count && !table.at_end()) {
    table.next();
    ++read;
  }
  table.rewind();
  return read == count;
}

// The link to a word's entry in one group's key-word index page, with the
// number of its occurrences in that group's pages.
void write_entry(html_file& index, const std::string& word_id, const std::string& group_number, long long occurrences) {
  const std::string group = std::to_string(leading_number(group_number));
  index.write_line("&nbsp;&nbsp;<a href=\"i_", group, ".htm#", word_id, "\" id=\"", word_id, "\">(i_", group,
                   ",&nbsp;&nbsp;", std::to_string(occurrences), ")</a>");
}

// Whether the lines of the file are in byte order already; a file that cannot
// be read has no lines, which are in order.
bool lines_in_order(std::string_view path) {
  record_file file;
  file.open_for_reading(path);
  std::string previous;
  std::string line;
  bool first = true;
  while (file.read_line(line)) {
    if (!first && byte_less(line, previous)) return false;
    previous.swap(line);
    first = false;
  }
  return true;
}

// The table of all groups sorted by word id and group: wrd_15.txt sorted into
// wrd_16.txt, or wrd_15.txt itself when the group tables wrote it in order,
// since sorting would then give its lines as they stand.
std::string sorted_table() {
  if (lines_in_order("wrd_15.txt")) return "wrd_15.txt";
  sort_file("wrd_15.txt", "wrd_16.txt");
  return "wrd_16.txt";
}

}  // namespace

// The occurrences of a word in a group are the records of wrd_16.txt that
// carry its word id and that group: they stand together, because the table
// is sorted by word id and group. They are the lines of the group's table
// wrd_11_[g].txt that hold the word id, each occurrence being one such line.
void write_all_words_index() {
  table_reader words;
  words.open(sorted_table());
  const bool three_or_more = holds_records(words, 3);
  write_line("processed 70%");

  html_file index;
  index.open_for_output("index.htm");
  write_head_lines(index, "index of key words");
  write_description_block(index);
  index.write_line("<br><br>");
  index.write_line("Use a combination of two keys (CTRL + F) to search.");
  index.write_line("<br><br>");

  std::string word_id;
  std::string group_number;
  long long occurrences = 0;
  bool first = true;
  while (!words.at_end()) {
    const table_reader::fields& record = words.next();
    const std::string_view record_word_id = record[0];
    const std::string_view record_group = record[1];
    const std::string_view word = record[5];
    if (first) {
      if (three_or_more) write_line("processed 80%");
      index.write_line(word);
      word_id = record_word_id;
      group_number = record_group;
      occurrences = 1;
      first = false;
      continue;
    }
    if (record_word_id == word_id && record_group == group_number) {
      ++occurrences;
      continue;
    }
    write_entry(index, word_id, group_number, occurrences);
    if (record_word_id != word_id) {
      index.write_line("<br>");
      index.write_line(word);
      word_id = record_word_id;
    }
    group_number = record_group;
    occurrences = 1;
  }
  if (!first) write_entry(index, word_id, group_number, occurrences);
  index.write_line("</body>");
  index.write_line("</html>");
}

}  // namespace docbase
