#pragma once
// The word search page of a group: the indexed words of every text line, each
// an anchor and a link into the key-word index page, and after every line a
// block of links with web searches for the line's words.

#include <cstddef>
#include <functional>
#include <random>
#include <string>
#include <string_view>

namespace docbase {

// Writes s_[g].htm from wrd_12_[g].txt.
void write_word_search_page(int group);

// A number r with 0 <= r < 1.
using random_fraction = std::function<double()>;

// The search phrase of one text line, built word by word.
class search_phrase {
 public:
  void add_word(std::string_view word);
  // Up to 28 words: each word, trimmed, followed by one blank. From 29 words:
  // up to 28 distinct words chosen at random, never the first, each with a
  // blank before it.
  std::string text(const random_fraction& next_random) const;
  void clear();

 private:
  std::string joined_;
  std::size_t words_ = 0;
  std::size_t length_before_last_ = 0;
};

// Fractions from a fixed seed, so that every run chooses the same phrases.
class seeded_fractions {
 public:
  double operator()();

 private:
  std::mt19937 generator_{20240607u};
};

}  // namespace docbase
