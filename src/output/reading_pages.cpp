#include "output/reading_pages.h"

#include <algorithm>
#include <array>
#include <deque>
#include <unordered_map>
#include <vector>

#include "output/html_blocks.h"
#include "output/html_file.h"
#include "output/key_word_index.h"
#include "output/output_stages.h"
#include "output/record_reader.h"
#include "output/word_search_page.h"
#include "records/text.h"
#include "run/run_values.h"
#include "workspace/shell.h"
#include "workspace/shell_copy.h"

namespace docbase {

namespace {

constexpr const char* contents_list = "group_page_all_sort.txt";

using group_word_file_reader = record_reader<7>;
// page, line, column, word, word id, occurrence number, next page
using group_fields = group_word_file_reader::fields;

// A record of a group word file; its fields are views into the reader's
// storage, valid until the reader is asked for the next record.
struct group_record {
  std::string_view page;
  std::string_view line;
  std::string_view column;
  std::string_view word;
  std::string_view word_id;
  std::string_view occurrence_number;
  std::string_view next_page;
};

group_record as_record(const group_fields& fields) {
  return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

std::string group_word_file(int group) { return "wrd_24_" + std::to_string(group) + ".txt"; }

std::size_t read_ahead_limit = default_read_ahead_limit;

// The largest occurrence number of each word on one page, by word id.
using occurrence_ends = std::unordered_map<std::string_view, long long>;

void note_occurrence(occurrence_ends& ends, std::string_view word_id, long long number) {
  long long& last = ends[word_id];
  last = std::max(last, number);
}

// The page, word id and occurrence number of group word file records, read
// through a handle of its own that only moves forward.
class occurrence_scanner {
 public:
  // The ends of the words in the records of page that stand together from
  // record index first on (0-based); their word ids are kept in ids.
  void load_page(const std::string& path, unsigned long long first, std::string_view page, occurrence_ends& ends,
                 std::deque<std::string>& ids) {
    if (!opened_) {
      file_.open(path);
      opened_ = true;
    }
    while (position_ < first && take()) {
    }
    while (take()) {
      if (page_ != page) {
        holding_ = true;
        --position_;
        break;
      }
      std::string_view key = word_id_;
      if (!ends.contains(key)) {
        ids.push_back(word_id_);
        key = ids.back();
      }
      note_occurrence(ends, key, number_);
    }
  }

 private:
  bool take() {
    if (holding_) {
      holding_ = false;
    } else {
      if (file_.at_end()) return false;
      const group_fields& fields = file_.next();
      page_ = fields[0];
      word_id_ = fields[4];
      number_ = leading_number(fields[5]);
    }
    ++position_;
    return true;
  }

  group_word_file_reader file_;
  bool opened_ = false;
  unsigned long long position_ = 0;
  bool holding_ = false;
  std::string page_;
  std::string word_id_;
  long long number_ = 0;
};

// The records of a group word file in order. With the ends of pages wanted,
// the records of each page are read ahead into one buffer, so that the last
// occurrence number of every word on the page is known before the page's
// first record is written; a page with more records than read_ahead_limit is
// read a second time for that, through a scanner.
class group_word_reader {
 public:
  group_word_reader(std::string path, bool find_ends) : path_(std::move(path)), find_ends_(find_ends) {
    file_.open(path_);
  }

  bool at_end() const { return next_ahead_ == ahead_.size() && !holding_ && file_.at_end(); }

  // The next record, valid until the next call.
  group_record next() {
    if (!find_ends_) return as_record(file_.next());
    if (next_ahead_ < ahead_.size()) return as_record(ahead_[next_ahead_++]);
    const group_fields& first = take();
    if (streaming_ && first[0] == page_) return as_record(first);
    streaming_ = false;
    read_page_ahead(first);
    return as_record(ahead_[next_ahead_++]);
  }

  // The largest occurrence number of word_id on the page of the last record
  // given, 0 if none.
  long long last_on_page(std::string_view word_id) const {
    auto found = ends_.find(word_id);
    return found == ends_.end() ? 0 : found->second;
  }

 private:
  static constexpr std::size_t field_count = 7;

  // The next record of the file, or the one read already that begins the
  // next page.
  const group_fields& take() {
    if (holding_) {
      holding_ = false;
      return held_;
    }
    ++records_read_;
    return file_.next();
  }

  void hold(const group_fields& record) {
    for (std::size_t i = 0; i < field_count; ++i) {
      held_text_[i] = record[i];
      held_[i] = held_text_[i];
    }
    holding_ = true;
  }

  void keep(const group_fields& record) {
    for (std::string_view field : record) {
      bounds_.push_back(text_.size());
      text_ += field;
    }
    bounds_.push_back(text_.size());
  }

  void read_page_ahead(const group_fields& first) {
    const unsigned long long first_index = records_read_ - 1;
    text_.clear();
    bounds_.clear();
    page_ = first[0];
    keep(first);
    bool overlong = false;
    std::size_t count = 1;
    while (!file_.at_end()) {
      if (count == read_ahead_limit) {
        overlong = true;
        break;
      }
      const group_fields& record = take();
      if (record[0] != page_) {
        hold(record);
        break;
      }
      keep(record);
      ++count;
    }
    ahead_.resize(count);
    for (std::size_t r = 0; r < count; ++r) {
      const std::size_t* at = bounds_.data() + r * (field_count + 1);
      for (std::size_t i = 0; i < field_count; ++i) ahead_[r][i] = std::string_view(text_).substr(at[i], at[i + 1] - at[i]);
    }
    next_ahead_ = 0;
    ends_.clear();
    scanned_ids_.clear();
    if (overlong) {
      scanner_.load_page(path_, first_index, page_, ends_, scanned_ids_);
      streaming_ = true;
      return;
    }
    for (const group_fields& record : ahead_) note_occurrence(ends_, record[4], leading_number(record[5]));
  }

  std::string path_;
  bool find_ends_;
  group_word_file_reader file_;
  unsigned long long records_read_ = 0;
  // The page read ahead: its fields one after another in text_, where record
  // r's field i runs from bounds_[8r + i] to bounds_[8r + i + 1].
  std::string page_;
  std::string text_;
  std::vector<std::size_t> bounds_;
  std::vector<group_fields> ahead_;
  std::size_t next_ahead_ = 0;
  bool holding_ = false;
  std::array<std::string, field_count> held_text_;
  group_fields held_;
  bool streaming_ = false;
  occurrence_ends ends_;
  std::deque<std::string> scanned_ids_;
  occurrence_scanner scanner_;
};

// The part of a page name before its first ".htm".
std::string page_stem(std::string_view page) {
  std::size_t at = page.find(".htm");
  return std::string(page.substr(0, at));
}

// Bytes first to last (1-based, both included) of text; what lies outside the
// text is left out, and an empty range gives "".
std::string_view bytes_between(std::string_view text, long long first, long long last) {
  if (first < 1) first = 1;
  if (last > static_cast<long long>(text.size())) last = static_cast<long long>(text.size());
  if (first > last) return {};
  return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

std::string_view bytes_from(std::string_view text, long long first) {
  return bytes_between(text, first, static_cast<long long>(text.size()));
}

enum class finish_cause { next_page, end_of_group };

// Rewrites the pages of one group, one page and one page line at a time.
class reading_page_writer {
 public:
  explicit reading_page_writer(int group) : group_(group), group_text_(std::to_string(group)) {
    neighbours_.load(contents_list);
    find_word_ = the_run().find_word == 1;
  }

  void write_pages() {
    group_word_reader words(group_word_file(group_), find_word_);
    if (words.at_end()) return;
    words_ = &words;
    while (!words.at_end()) {
      const group_record record = words.next();
      long long line_number = leading_number(record.line);
      if (!page_begun_) {
        begin_reading_page(record.page, true);
      } else if (record.page != current_page_) {
        finish_reading_page(finish_cause::next_page);
        begin_reading_page(record.page, false);
      } else if (last_column_ != 0 && line_number != line_number_) {
        work_.write_line(bytes_from(current_line_, last_column_ + last_length_));
      }
      advance_to_line(line_number);
      write_word_target(record);
    }
    finish_reading_page(finish_cause::end_of_group);
  }

 private:
  void begin_reading_page(std::string_view page, bool first_of_group) {
    if (first_of_group) back_up(page);
    page_.open_for_reading(page);
    work_.open_for_output(page_stem(page) + "_02.htm");
    current_page_ = page;
    page_begun_ = true;
    line_number_ = 0;
    last_column_ = 0;
    script_written_ = false;
  }

  void advance_to_line(long long target) {
    while (line_number_ < target) {
      if (page_.at_end_of_file()) {
        // A place beyond the page's end: nothing is left to copy up to it.
        current_line_.clear();
        line_number_ = target;
        last_column_ = 0;
        return;
      }
      page_.read_line(current_line_);
      ++line_number_;
      last_column_ = 0;
      if (!script_written_ && is_body_start_line(current_line_)) {
        neighbours_.find(current_page_, before_, next_);
        write_top_navigation();
        script_written_ = true;
      }
      if (line_number_ < target) work_.write_line(current_line_);
    }
  }

  void write_word_target(const group_record& record) {
    long long column = leading_number(record.column);
    if (last_column_ == 0) {
      work_.write_line(bytes_between(current_line_, 1, column - 1));
    } else {
      work_.write_line(bytes_between(current_line_, last_column_ + last_length_, column - 1));
    }
    work_.write_line("<span id=\"", record.word_id, "\" type = \"text/javascript\"ondblclick = \"window.open('",
                     record.page, "#", record.word_id, "'); window.event.cancelbubble = true;\">", record.word,
                     "</span>");
    if (find_word_ && record.word != "Pages_list") write_hidden_navigation(record);
    last_column_ = column;
    last_length_ = static_cast<long long>(record.word.size());
  }

  void write_hidden_navigation(const group_record& record) {
    const std::string_view id = record.word_id;
    const std::string_view n = record.occurrence_number;
    long long number = leading_number(n);
    work_.write_line("<span hidden id=\"", id, "\">");
    if (number < words_->last_on_page(id)) {
      work_.write_line("(", n, ")(<a href=\"#", id, "_", std::to_string(number + 1), "\">&gt;</a>,");
    } else {
      work_.write_line("(", n, ")(<a href=\"#", id, "_", n, "\"></a>");
    }
    work_.write_line("<a href=\"i_", group_text_, ".htm#", id, "\">i</a>,");
    work_.write_line("<a href=\"s_", group_text_, ".htm#", id, "_", n, "\">s</a>,");
    if (record.next_page.empty()) {
      work_.write_line("<a href=\"files_list.htm\">c)</a></span>");
    } else {
      work_.write_line("<a href=\"files_list.htm\">c</a>,");
      work_.write_line("<a href=\"", record.next_page, "#", id, "\">&gt;&gt;)</a></span>");
    }
    work_.write_line("<span id=\"", id, "_", n, "\"></span>");
  }

  void finish_reading_page(finish_cause cause) {
    if (last_column_ != 0) work_.write_line(bytes_from(current_line_, last_column_ + last_length_));
    std::string line;
    while (!page_.at_end_of_file()) {
      page_.read_line(line);
      if (contains(lower_ascii(line), "</body>")) {
        neighbours_.find(current_page_, before_, next_);
        write_bottom_navigation(cause);
      }
      work_.write_line(line);
    }
    page_.close();
    work_.close();
    if (cause == finish_cause::next_page) back_up(current_page_);
    // The work file is not read again: it becomes the page.
    run_shell("copy " + page_stem(current_page_) + "_02.htm" + " " + current_page_ + " > out_null.list",
              copy_method::moves);
  }

  // The backup copy is never written or read again, so it is the page's
  // file under a second name until the page is replaced.
  static void back_up(std::string_view page) {
    run_shell("copy " + std::string(page) + " " + page_stem(page) + "_01.htm" + " > out_null.list", copy_method::links);
  }

  void write_top_navigation() {
    write_highlight_script(work_);
    work_.write_line("<br>");
    if (!before_.empty()) work_.write_line("<a href=\"", before_, "\"> Before </a> ");
    if (!next_.empty()) work_.write_line("<a href=\"", next_, "\"> Next </a> ");
    work_.write_line("<a href=\"files_list.htm\"> Content </a><br>");
  }

  // The Next link ends with a blank only on the group's last page.
  void write_bottom_navigation(finish_cause cause) {
    work_.write_line("<br>");
    if (!before_.empty()) work_.write_line("<a href=\"", before_, "\"> Before </a> ");
    if (!next_.empty()) {
      if (cause == finish_cause::next_page) {
        work_.write_line("<a href=\"", next_, "\"> Next </a>");
      } else {
        work_.write_line("<a href=\"", next_, "\"> Next </a> ");
      }
    }
    work_.write_line("<a href=\"files_list.htm\"> Content </a><br>");
  }

  int group_;
  std::string group_text_;
  bool find_word_ = false;
  neighbour_index neighbours_;
  const group_word_reader* words_ = nullptr;
  record_file page_;
  html_file work_;
  std::string current_page_;
  bool page_begun_ = false;
  long long line_number_ = 0;
  std::string current_line_;
  long long last_column_ = 0;
  long long last_length_ = 0;
  bool script_written_ = false;
  std::string before_;
  std::string next_;
};

}  // namespace

void write_group_pages() {
  keep_group_copies();
  for (int group = 1; group <= the_run().group_count; ++group) {
    write_reading_pages(group);
    write_key_word_index_page(group);
    write_word_search_page(group);
  }
}

void keep_group_copies() {
  run_shell("dir /b *.  > dir_01.txt");
  bool folder_exists = false;
  record_file listing;
  listing.open_for_reading("dir_01.txt");
  std::string line;
  while (listing.read_line(line)) {
    if (contains(lower_ascii(line), "wrd_24")) folder_exists = true;
  }
  listing.close();
  if (folder_exists) {
    run_shell("dir > wrd_24\\f_01.txt");
    run_shell("del /q wrd_24\\*.txt > out_null.list");
  } else {
    run_shell("md wrd_24 > out_null.list");
  }
  // Nothing writes the group word files again, so the copies are the same
  // files under second names.
  run_shell("copy wrd_24*.txt wrd_24\\ > out_null.list", copy_method::links);
  run_shell("copy wrd_24\\*.txt > out_null.list", copy_method::links);
}

void write_reading_pages(int group) { reading_page_writer(group).write_pages(); }

void set_read_ahead_limit(std::size_t records) { read_ahead_limit = records > 0 ? records : 1; }

bool is_body_start_line(std::string_view line) {
  std::string lower = lower_ascii(line);
  std::size_t body = lower.find("body");
  if (body == std::string::npos || body == 0) return false;
  std::size_t open = lower.rfind('<', body - 1);
  if (open == std::string::npos) return false;
  return std::all_of(lower.begin() + static_cast<std::ptrdiff_t>(open) + 1,
                     lower.begin() + static_cast<std::ptrdiff_t>(body), [](char c) { return c == ' '; });
}

void neighbour_index::load(std::string_view list_name) {
  names_.clear();
  first_place_.clear();
  record_file list;
  list.open_for_reading(list_name);
  std::string line;
  while (list.read_line(line)) {
    first_place_.try_emplace(lower_ascii(line), names_.size());
    names_.push_back(lower_ascii(line));
  }
}

void neighbour_index::find(std::string_view page, std::string& before, std::string& next) const {
  auto found = first_place_.find(lower_ascii(page));
  if (found == first_place_.end()) return;
  std::size_t place = found->second;
  before = place > 0 ? names_[place - 1] : std::string();
  next = place + 1 < names_.size() ? names_[place + 1] : std::string();
}

}  // namespace docbase
