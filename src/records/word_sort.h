#pragma once
// The sort of the word records by word key, in sorted runs on disk merged as
// one stream, and the coded numbers that its records and the work files
// beside it hold.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace docbase {

// A number in width bytes 0x80-0xFF, seven bits each: never a line end or a
// quote, and in byte order as in numeric order.
void append_code(std::string& out, std::uint64_t value, int width);
std::uint64_t read_code(const char* at, int width);

// A word record as the sort orders it: by word key, page, line, word and
// column, as the record lines of the key table compare. Each text stands with
// the quote that would close it; page, line and column are numbers (the page's
// place among the pages, which stand in byte order). The record's index in
// wrd_01.txt follows; columns are unique within a line, so it never decides.
struct word_sort_record {
  std::string_view key;
  std::uint64_t page;
  std::uint64_t line;
  std::string_view word;
  std::uint64_t column;
  std::uint64_t index;
};

// The most pages and records the coded numbers hold; any line of ten digits
// and column of six fit.
inline constexpr std::uint64_t most_word_pages = std::uint64_t{1} << 28;
inline constexpr std::uint64_t most_word_records = std::uint64_t{1} << 28;

// Appends the sorted form of record; key and word hold no quote, CR or LF.
void append_word_sort_record(std::string& out, const word_sort_record& record);
// The record of a line in that form; its texts point into text.
word_sort_record read_word_sort_record(std::string_view text);

// The bytes of records sorted in memory before they go to a run file; tests
// make it small.
std::size_t word_sort_bytes();
void set_word_sort_bytes(std::size_t bytes);

// Sorts the records it is given in runs of word_sort_bytes, each written to a
// run file of its own (word_run_[n].txt). Each record is sorted by its first
// sixteen bytes, held beside it, and only where those are equal by the rest.
class word_run_maker {
 public:
  word_run_maker();
  ~word_run_maker();
  word_run_maker(const word_run_maker&) = delete;
  word_run_maker& operator=(const word_run_maker&) = delete;

  void add(std::string_view record);
  // The run files, in the order written.
  std::vector<std::string> finish();
  // Deletes the run files written so far.
  void discard();

 private:
  struct entry {
    std::uint64_t prefix;
    std::uint64_t more;
    std::uint32_t at;
    std::uint32_t size;
  };
  void write_run();
  std::string_view view(const entry& e) const { return std::string_view(bytes_ + e.at, e.size); }

  std::size_t capacity_;
  std::size_t most_records_;
  char* bytes_;
  std::size_t used_ = 0;
  std::vector<entry> entries_;
  std::vector<std::string> runs_;
};

// Merges the run files into one stream in byte order, handing every line to
// emit until it returns false, and deletes them. More than sort_file_max runs
// are first merged in passes of that many into new run files.
void merge_word_runs(std::vector<std::string> runs, const std::function<bool(const std::string&)>& emit);

// Deletes a work file of the current folder; a missing one is no error.
void remove_work_file(std::string_view name);

}  // namespace docbase
