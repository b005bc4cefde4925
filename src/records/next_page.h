#pragma once
// The next page of a word: the page that follows a given page among the pages
// of the word's occurrence records.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace docbase {

// Reads the occurrence file (records of five fields: page, line, column, word,
// word id) for the first run of records on page that is followed by a record
// on a greater page in byte order, and returns that page; "" when there is
// none or the file cannot be read.
std::string find_next_page(std::string_view occurrence_file, std::string_view page);

// The pages of a word's occurrence records in file order, each run of equal
// pages kept once.
class page_runs {
 public:
  void add(std::string_view page) {
    if (pages_.empty() || pages_.back() != page) pages_.emplace_back(page);
  }
  void clear() { pages_.clear(); }
  bool empty() const { return pages_.empty(); }

  // Calls found(page, next) once for every distinct page, in order of first
  // appearance, with what find_next_page gives for it on these records.
  void for_each_next_page(const std::function<void(const std::string&, const std::string&)>& found) const;

 private:
  std::vector<std::string> pages_;
};

}  // namespace docbase
