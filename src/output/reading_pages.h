#pragma once
// The reading pages: every page of a group rewritten so that each indexed word
// is a target that reopens the page at that word, with the highlight script,
// Before / Next / Content navigation and, with the find-word option, a small
// navigation after every occurrence.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace docbase {

// Keeps a copy of the group word files in the folder wrd_24.
void keep_group_copies();

// Rewrites every page that has a record in the group word file of group g;
// a group word file without records rewrites nothing.
void write_reading_pages(int group);

// How many records of a page are read ahead in memory to find the last
// occurrence of each word on it; a longer page is read a second time.
inline constexpr std::size_t default_read_ahead_limit = 16384;
void set_read_ahead_limit(std::size_t records);

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

}  // namespace docbase
