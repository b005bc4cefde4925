#pragma once
// The numbers that the key order gives every word record, kept by the
// record's index in wrd_01.txt until the records are written in reading order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records/line_batch.h"

namespace docbase {

// A record's word (the index its word id is made from), its occurrence number
// and the next page of its word (the page's place among the pages plus 1; 0
// for none).
struct word_number {
  std::uint32_t word = 0;
  std::uint32_t occurrence = 0;
  std::uint32_t next_page = 0;
};

// The records whose numbers are held in memory at once; tests make it small.
std::size_t word_number_chunk();
void set_word_number_chunk(std::size_t records);

// The numbers of all records by index, set in any order, then read in index
// order: in memory when they fit one chunk, otherwise in one work file per
// chunk (word_numbers_[n].txt), read back and deleted one chunk at a time.
class word_number_store {
 public:
  explicit word_number_store(std::uint64_t records);

  void set(std::uint64_t index, const word_number& number);
  // Closes the chunk files; call before the first at.
  void end_writing();
  // The numbers of the record; for a record never set, zeros.
  const word_number& at(std::uint64_t index);
  // Deletes the chunk files that are left.
  void discard();

 private:
  void load(std::size_t chunk);

  std::uint64_t records_;
  std::uint64_t chunk_;
  std::size_t chunks_ = 0;
  std::size_t loaded_ = static_cast<std::size_t>(-1);
  std::vector<word_number> numbers_;
  std::vector<line_batch> files_;
};

}  // namespace docbase
