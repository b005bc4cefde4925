#include "pages/word_extraction.h"

#include <iostream>

#include <string>

#include "pages/page_stages.h"
#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "workspace/shell.h"

namespace docbase {

namespace {

constexpr std::size_t none = std::string_view::npos;

// True when the first keyword of the line has a "<" before it with nothing but
// blanks between them. Later occurrences of the keyword are not looked at.
bool keyword_matches(std::string_view form, std::string_view keyword) {
  std::size_t at = form.find(keyword);
  if (at == none || at == 0) return false;
  std::size_t open = form.rfind('<', at - 1);
  if (open == none) return false;
  return form.find_first_not_of(' ', open + 1) == at;
}

// The number at 1-based position of the line (after blanks), 0 past its end.
long long number_at(std::string_view line, std::size_t position) {
  return position > line.size() ? 0 : leading_number(line.substr(position - 1));
}

std::string right_aligned(long long value, std::size_t width) {
  std::string digits = std::to_string(value);
  return digits.size() < width ? std::string(width - digits.size(), ' ') + digits : digits;
}

}  // namespace

bool& open_tag_flag() {
  static bool open_tag = false;
  return open_tag;
}

std::size_t clean_word(std::string& word, std::size_t column) {
  if (!word.empty() && word.front() == '"') {
    word.erase(0, 1);
    ++column;
  }
  if (!word.empty() && word.back() == '"') word.pop_back();
  for (char& c : word) {
    if (c == '"') c = '\'';
    if (c == '\r') c = ' ';
  }
  return column;
}

bool page_scanner::take_line(std::string_view line) {
  ++line_number_;
  line_ = line;

  if (!in_script_ && keyword_matches(line, "script")) in_script_ = true;
  if (in_script_) {
    if (keyword_matches(line, "/script")) in_script_ = false;
    return false;
  }

  lower_.assign(line);
  for (char& c : lower_) c = lower_ascii(c);
  if (!in_style_ && !contains(line, "style=") && keyword_matches(lower_, "style")) in_style_ = true;
  if (in_style_) {
    if (keyword_matches(lower_, "/style")) in_style_ = false;
    return false;
  }

  // A link whose target, three bytes after the equals sign, is a number above
  // 2000 marks a navigation line that carries no text of the page.
  link_ = position_of(lower_, "href=");
  std::size_t h = link_;
  if (h > 0) {
    if (number_at(lower_, h + 7) > 2000) return false;
  } else {
    h = position_of(lower_, "href =");
    if (h > 0 && number_at(lower_, h + 8) > 2000) return false;
  }
  std::size_t marker = position_of(lower_, "look_at:");
  if (marker > 0 && marker < h) return false;

  // Tags: from a "<" to the first ">" after it, the search going on after
  // that ">". A tag carried over from the line before ends at the first ">".
  // The line ends inside a tag when a "<" follows its last ">".
  std::size_t first_close = line.find('>');
  carried_end_ = 0;
  if (open_tag_) {
    if (first_close == none) return false;
    carried_end_ = first_close + 1;
  }
  std::size_t last_close = line.rfind('>');
  open_tag_ = line.find('<', last_close == none ? 0 : last_close + 1) != none;
  // A line that is one unclosed tag from its first byte gives nothing.
  if (open_tag_ && carried_end_ == 0 && line.front() == '<' && first_close == none) return false;
  return true;
}

// Positions are 1-based. ts and te are the last tag start and end reached, bp
// the last blank outside the tags and wp the blank before it. The cases are
// tried in a fixed order at every position, and several may yield a word.
void page_scanner::collect_words(const word_handler& found) {
  const std::size_t length = line_.size();
  std::size_t ts = 0, te = 0, bp = 0, wp = 0;
  // The tag span at or after the scan position; both ends past the line when
  // no tag is left.
  std::size_t span_start = carried_end_ > 0 ? 1 : length + 1;
  std::size_t span_end = carried_end_ > 0 ? carried_end_ : length + 1;
  auto find_span = [&](std::size_t from) {
    std::size_t open = line_.find('<', from);
    if (open == none) {
      span_start = span_end = length + 1;
      return;
    }
    std::size_t close = line_.find('>', open + 1);
    span_start = open + 1;
    span_end = close == none ? length : close + 1;
  };
  if (carried_end_ == 0) find_span(0);
  std::string word;
  auto offer = [&](std::size_t first, std::size_t count, std::size_t column, std::size_t position) {
    word.assign(line_.substr(first - 1, count));
    column = clean_word(word, column);
    if (word.size() >= 3) found(word, column, position);
  };

  for (std::size_t i = 1; i <= length; ++i) {
    if (span_end < i) find_span(span_end);
    bool in_span = span_start <= i;
    bool span_start_here = span_start == i;
    bool span_end_here = span_end == i;
    if (in_span && !span_start_here && !span_end_here) continue;
    bool blank = !in_span && line_[i - 1] == ' ';

    if (span_start_here) ts = i;
    if (span_end_here) te = i;
    if (blank) bp = i;

    if (blank && wp < i && ts == 0 && te == 0) offer(wp + 1, i - wp - 1, wp + 1, i);
    if (blank && ts < i && te < i && ts < te && wp < ts) offer(te + 1, i - te - 1, te + 1, i);
    if (blank && wp < i && ts < te && te < wp) offer(wp + 1, i - wp - 1, wp + 1, i);
    if (span_start_here && te < ts && wp < te && bp < te) {
      // A one-word link text ends the work on the line.
      if (link_ > 0 && link_ < te) return;
      offer(te + 1, ts - te - 1, te + 1, i);
    }
    if (span_start_here && te < bp && bp < ts) offer(bp + 1, i - bp - 1, bp + 1, i);
    if (i == length && bp < ts && ts < te) offer(te + 1, length - te, te + 1, i);
    if (i == length && te < bp && bp < length) offer(bp + 1, length - bp, bp + 1, i);
    if (i == length && ts == 0 && te == 0 && wp == 0 && bp == 0) offer(1, length, 1, i);

    if (blank) wp = bp;
  }
}

// The column field holds six digits. A word that starts further into its line
// would sort out of reading order and make the reading page copy the line's
// text again and again, so it stays plain text, with a message.
constexpr std::size_t widest_column = 999999;

void extract_words() {
  write_line("processed 1%");
  run_shell("dir /b page_*.htm > dir_02.txt");
  record_file list;
  record_file words;
  list.open_for_reading("dir_02.txt");
  words.open_for_output("wrd_01.txt");
  const std::string separator(49, '=');
  std::string entry;
  std::string line;
  while (list.read_line(entry)) {
    entry = lower_ascii(entry);
    if (!contains(entry, ".htm")) continue;
    record_file page;
    record_file trace;
    page.open_for_reading(entry);
    trace.open_for_output(entry.substr(0, entry.find(".htm")) + ".txt");
    page_scanner scanner;
    while (page.read_line(line)) {
      if (!scanner.take_line(line)) continue;
      trace.write_line(separator);
      trace.write_line(line);
      std::string line_field = right_aligned(scanner.line_number(), 10);
      bool beyond_widest_column = false;
      scanner.collect_words([&](std::string_view word, std::size_t column, std::size_t position) {
        if (column > widest_column) {
          beyond_widest_column = true;
          return;
        }
        std::string column_field = right_aligned(static_cast<long long>(column), 6);
        words.write_record({word, entry, line_field, column_field, word});
        trace.write_number(static_cast<long long>(position), number_end::zone);
        trace.write_line(word);
      });
      if (beyond_widest_column) {
        flush_console();
        std::cerr << entry << ", line " << scanner.line_number() << ": words beyond byte " << widest_column
                  << " of the line are left out of the index\n";
      }
    }
    page.close();
    trace.close();
  }
  list.close();
  words.close();
}

}  // namespace docbase
