#pragma once
// The reading pages: every page of a group rewritten so that each indexed word
// is a target that reopens the page at that word, with the highlight script,
// Before / Next / Content navigation and, with the find-word option, a small
// navigation after every occurrence.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/record_file.h"

namespace docbase {

// Keeps a copy of the group word files in the folder wrd_24.
void keep_group_copies();

// Rewrites every page that has a record in the group word file of group g;
// a group word file without records rewrites nothing.
void write_reading_pages(int group);

// True when the first "body" of the line (any letter case) follows a "<" with
// nothing but blanks between them.
bool is_body_start_line(std::string_view line);

// The neighbours of every page in the contents list, from one reading of it.
class neighbour_index {
 public:
  // Reads the contents list; a list that cannot be opened gives no pages.
  void load(std::string_view contents_list);
  // Sets before and next to the names around page (lower-cased, empty at the
  // ends of the list); leaves both as they were when page is not listed.
  void find(std::string_view page, std::string& before, std::string& next) const;

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, std::size_t> first_place_;
};

// The number of the last occurrence of every word on one page, read ahead in
// the group word file through a handle of its own. The records of a page
// stand together in reading order, and the occurrences of a word on one page
// are numbered consecutively, so the last one is the largest number there.
class page_occurrence_ends {
 public:
  void open(std::string_view group_word_file);
  // Reads the records of page that come next in the file.
  void load_page(std::string_view page);
  // The largest occurrence number of word_id on the loaded page, 0 if none.
  long long last_on_page(std::string_view word_id) const;

 private:
  void read_next();

  record_file file_;
  bool holding_ = false;
  std::string held_page_;
  std::string held_word_id_;
  long long held_number_ = 0;
  std::unordered_map<std::string, long long> last_;
};

}  // namespace docbase
