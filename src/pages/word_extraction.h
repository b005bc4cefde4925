#pragma once
// The tokenizer of word extraction: which lines of a page are scanned, where
// the tags of a line lie, and which words a line yields at which columns.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace docbase {

// Set when a line ends inside a tag (a "<" with no ">" after it). It lives for
// the whole run: the lines that follow, on the same page or the next, stay out
// of the scan until one holds a ">".
bool& open_tag_flag();

// A word as it is recorded: a leading double quote dropped (the column moves
// on by one), then a trailing one, the others turned into apostrophes, and
// every CR turned into a blank so that no record field is split on reading.
// Returns the column of the word's first byte.
std::size_t clean_word(std::string& word, std::size_t column);

// Scans the lines of one page in order. The line count and the script and
// style blocks belong to the page; the open tag flag is shared by all pages.
class page_scanner {
 public:
  // Called for every recorded word: the word, its column and the scan
  // position at which it was taken.
  using word_handler = std::function<void(std::string_view word, std::size_t column, std::size_t position)>;

  explicit page_scanner(bool& open_tag = open_tag_flag()) : open_tag_(open_tag) {}

  // Counts the line and decides whether it is scanned: false for a line in a
  // script or style block, a line linking to a number above 2000, a line with
  // "look_at:" before its link, and a line that lies wholly inside a tag. The
  // line must stay alive until collect_words has run.
  bool take_line(std::string_view line);

  // The words of the line last taken, in scan order, each of three bytes or
  // more after clean_word. Stops early at a one-word link text.
  void collect_words(const word_handler& found);

  long long line_number() const { return line_number_; }

 private:
  bool& open_tag_;
  long long line_number_ = 0;
  bool in_script_ = false;
  bool in_style_ = false;
  std::string_view line_;
  std::string lower_;
  std::size_t link_ = 0;
  // End of the tag carried over from the line before, 0 when there was none.
  std::size_t carried_end_ = 0;
};

}  // namespace docbase
