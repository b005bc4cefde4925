#pragma once
// The occurrence files: for a word id, every line of wrd_03.txt that holds the
// id's text, in file order, in the file [word_id].txt.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace docbase {

// Word ids, held as the indexes they were made from (see make_word_id).
class word_id_set {
 public:
  void insert(std::uint64_t index);
  bool contains(std::uint64_t index) const { return index < bits_.size() && bits_[index]; }
  // One above the greatest index the set can hold without growing.
  std::uint64_t limit() const { return bits_.size(); }

 private:
  std::vector<bool> bits_;
};

// Receives, for a word and a page of its occurrence records, what
// find_next_page gives (possibly ""). A pair given with overriding set replaces
// one given earlier for the same word and page.
using next_page_sink = std::function<void(std::uint64_t word_index, const std::string& page,
                                          const std::string& next_page, bool overriding)>;

// Writes the occurrence file of every word id in wanted from one pass over
// wrd_03.txt, with the bytes that findstr "[word_id]" wrd_03.txt >
// [word_id].txt gives, and hands the next pages of every such word to sink.
void write_occurrence_files(const word_id_set& wanted, const next_page_sink& sink);

}  // namespace docbase
