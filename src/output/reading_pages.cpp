#include "output/reading_pages.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "output/html_blocks.h"
#include "output/html_file.h"
#include "output/key_word_index.h"
#include "output/record_reader.h"
#include "output/output_stages.h"
#include "output/word_search_page.h"
#include "records/text.h"
#include "run/run_values.h"
#include "workspace/shell.h"
#include "workspace/shell_copy.h"

namespace docbase {

namespace {

constexpr const char* contents_list = "group_page_all_sort.txt";

struct group_record {
  std::string page;
  std::string line;
  std::string column;
  std::string word;
  std::string word_id;
  std::string occurrence_number;
  std::string next_page;
};

using group_word_file_reader = record_reader<7>;

void read_group_record(group_word_file_reader& file, group_record& record) {
  const group_word_file_reader::fields& fields = file.next();
  record.page = fields[0];
  record.line = fields[1];
  record.column = fields[2];
  record.word = fields[3];
  record.word_id = fields[4];
  record.occurrence_number = fields[5];
  record.next_page = fields[6];
}

std::string group_word_file(int group) { return "wrd_24_" + std::to_string(group) + ".txt"; }

std::size_t read_ahead_limit = default_read_ahead_limit;

// The page, word id and occurrence number of group word file records, read
// through a handle of its own that only moves forward.
class occurrence_scanner {
 public:
  // The largest occurrence number of each word in the records of page that
  // stand together from record index first on (0-based).
  void load_page(const std::string& path, unsigned long long first, const std::string& page,
                 std::unordered_map<std::string, long long>& last) {
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
      long long& number = last[word_id_];
      number = std::max(number, number_);
    }
  }

 private:
  bool take() {
    if (holding_) {
      holding_ = false;
    } else {
      if (file_.at_end()) return false;
      const group_word_file_reader::fields& fields = file_.next();
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
// the records of each page are read ahead, so that the last occurrence number
// of every word on the page is known before the page's first record is
// written; a page with more records than read_ahead_limit is read a second
// time for that, through a scanner.
class group_word_reader {
 public:
  group_word_reader(std::string path, bool find_ends) : path_(std::move(path)), find_ends_(find_ends) {
    file_.open(path_);
  }

  bool at_end() const { return ahead_.empty() && !holding_ && file_.at_end(); }

  void next(group_record& record) {
    if (!find_ends_) {
      read_group_record(file_, record);
      return;
    }
    if (ahead_.empty()) {
      group_record first;
      take(first);
      if (streaming_ && first.page == streaming_page_) {
        record = std::move(first);
        return;
      }
      streaming_ = false;
      read_page_ahead(std::move(first));
    }
    record = std::move(ahead_.front());
    ahead_.pop_front();
  }

  // The largest occurrence number of word_id on the page of the last record
  // given, 0 if none.
  long long last_on_page(const std::string& word_id) const {
    auto found = last_.find(word_id);
    return found == last_.end() ? 0 : found->second;
  }

 private:
  void take(group_record& record) {
    if (holding_) {
      record = std::move(held_);
      holding_ = false;
      return;
    }
    read_group_record(file_, record);
    ++records_read_;
  }

  void note(const group_record& record) {
    long long& number = last_[record.word_id];
    number = std::max(number, leading_number(record.occurrence_number));
  }

  void read_page_ahead(group_record first) {
    unsigned long long first_index = records_read_ - 1;
    last_.clear();
    std::string page = first.page;
    note(first);
    ahead_.push_back(std::move(first));
    while (!file_.at_end()) {
      if (ahead_.size() == read_ahead_limit) {
        last_.clear();
        scanner_.load_page(path_, first_index, page, last_);
        streaming_ = true;
        streaming_page_ = page;
        return;
      }
      group_record record;
      take(record);
      if (record.page != page) {
        held_ = std::move(record);
        holding_ = true;
        return;
      }
      note(record);
      ahead_.push_back(std::move(record));
    }
  }

  std::string path_;
  bool find_ends_;
  group_word_file_reader file_;
  unsigned long long records_read_ = 0;
  std::deque<group_record> ahead_;
  bool holding_ = false;
  group_record held_;
  bool streaming_ = false;
  std::string streaming_page_;
  std::unordered_map<std::string, long long> last_;
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
    group_record record;
    while (!words.at_end()) {
      words.next(record);
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
  void begin_reading_page(const std::string& page, bool first_of_group) {
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
    const std::string& id = record.word_id;
    const std::string& n = record.occurrence_number;
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
  static void back_up(const std::string& page) {
    run_shell("copy " + page + " " + page_stem(page) + "_01.htm" + " > out_null.list", copy_method::links);
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
