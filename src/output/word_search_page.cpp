#include "output/word_search_page.h"

#include <array>
#include <cmath>

#include "output/html_blocks.h"
#include "output/html_file.h"
#include "output/record_reader.h"
#include "records/text.h"
#include "run/run_values.h"

namespace docbase {

namespace {

constexpr std::size_t phrase_slots = 28;

// The fields of a wrd_12_[g].txt record that the page shows.
struct search_record {
  std::string_view page;
  std::string_view line;
  std::string_view word;
  std::string_view word_id;
  std::string_view occurrence_number;
};

// page, line, column, word, word id, occurrence number; the fields are valid
// until the next record is read.
search_record read_search_record(record_reader<6>& file) {
  const record_reader<6>::fields& fields = file.next();
  return {fields[0], fields[1], fields[3], fields[4], fields[5]};
}

void write_link_block(html_file& search, const std::string& group, const std::string& first_word_id,
                      const std::string& page, const std::string& phrase) {
  const run_values& run = the_run();
  search.write_line("<a href=\"i_", group, ".htm#", first_word_id, "\">i_", group, "</a>");
  search.write_line("&nbsp <a href=\"index.htm#", first_word_id, "\">index</a>");
  search.write_line("&nbsp <a href=\"files_list.htm#", page, "\"> Content (", page, ")</a>");
  if (!run.target_site.empty()) {
    search.write_line("&nbsp <a href=\"", search_base, "/search?q=", phrase, " site:", run.target_site, "\"> ",
                      run.target_site, "</a>");
  }
  if (!run.program_site.empty()) {
    search.write_line("&nbsp <a href=\"", search_base, "/search?q=", phrase, " site:", run.program_site, "\"> ",
                      run.program_site, "</a>");
  }
  search.write_line("&nbsp <a href=\"", search_base, "/search?q=", phrase, "\"> web_search </a>");
  search.write_line("<br><br>");
}

}  // namespace

void search_phrase::add_word(std::string_view word) {
  length_before_last_ = joined_.size();
  joined_ += trim_blanks(word);
  joined_ += ' ';
  ++words_;
}

void search_phrase::clear() {
  joined_.clear();
  words_ = 0;
  length_before_last_ = 0;
}

// Each slot takes the blank at or after a random place among all words but the
// last, and the word after that blank.
std::string search_phrase::text(const random_fraction& next_random) const {
  if (words_ <= phrase_slots) return joined_;
  const std::string_view joined = joined_;
  const std::size_t limit = length_before_last_;
  std::array<std::string_view, phrase_slots> slots{};
  for (std::string_view& slot : slots) {
    auto place = static_cast<std::size_t>(std::floor(next_random() * static_cast<double>(limit)));
    if (place == 0) place = 1;
    std::size_t first_blank = joined.find(' ', place - 1);
    if (first_blank == std::string_view::npos || first_blank + 1 > limit) continue;
    std::size_t next_blank = joined.find(' ', first_blank + 1);
    if (next_blank == std::string_view::npos) continue;
    slot = joined.substr(first_blank, next_blank - first_blank);
  }
  for (std::size_t i = 0; i + 1 < phrase_slots; ++i) {
    for (std::size_t j = i + 1; j < phrase_slots; ++j) {
      if (slots[j] == slots[i]) slots[j] = {};
    }
  }
  std::string phrase;
  for (std::string_view slot : slots) phrase += slot;
  return phrase;
}

double seeded_fractions::operator()() { return static_cast<double>(generator_()) / 4294967296.0; }

void write_word_search_page(int group) {
  const std::string group_text = std::to_string(group);
  html_file search;
  search.open_for_output("s_" + group_text + ".htm");
  write_head_lines(search, "search.htm, content (only words) from input *.htm files");
  write_highlight_script(search);

  seeded_fractions fractions;
  const random_fraction next_random = [&fractions] { return fractions(); };
  record_reader<6> words;
  words.open("wrd_12_" + group_text + ".txt");
  std::string page;
  std::string line;
  std::string first_word_id;
  search_phrase phrase;
  bool in_line = false;
  while (!words.at_end()) {
    const search_record record = read_search_record(words);
    if (in_line && (record.page != page || record.line != line)) {
      search.write_line("<br>");
      write_link_block(search, group_text, first_word_id, page, phrase.text(next_random));
      in_line = false;
    }
    if (!in_line) {
      search.write_text("<span id=\"", record.word_id, "_", record.occurrence_number, "\">", record.word,
                        " &nbsp </span>&nbsp <a href=\"i_", group_text, ".htm#", record.word_id, "\">", record.word,
                        "</a></span>");
      page = record.page;
      line = record.line;
      first_word_id = record.word_id;
      phrase.clear();
      in_line = true;
    } else {
      search.write_text(" <span id=\"", record.word_id, "_", record.occurrence_number, "\"><a href=\"i_", group_text,
                        ".htm#", record.word_id, "\">", record.word, "</a></span>");
    }
    phrase.add_word(record.word);
  }
  if (in_line) {
    search.write_line("<br>");
    write_link_block(search, group_text, first_word_id, page, phrase.text(next_random));
  }
  search.write_line("</body> <br>");
  search.write_line("</html> <br>");
}

}  // namespace docbase
