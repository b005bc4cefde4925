#pragma once
// The line sort of the interpreter, in bounded memory: lines are gathered into
// runs of a bounded size, each run is sorted in memory and, when there is more
// than one, spilled to a temporary file; the runs are then merged.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace docbase {

class shell_output;

// The run size of the sort command, in bytes of lines plus bookkeeping.
std::size_t sort_run_bytes();
// Lets a test make runs small, so that a modest file needs several of them.
void set_sort_run_bytes(std::size_t bytes);

class line_sorter {
 public:
  // Run files are made in temp_folder (on the disk of the data, not in
  // memory) and removed from it at once: they vanish when closed, also when
  // the program ends early.
  explicit line_sorter(std::size_t run_bytes, std::filesystem::path temp_folder = ".");
  ~line_sorter();
  line_sorter(const line_sorter&) = delete;
  line_sorter& operator=(const line_sorter&) = delete;

  void add(std::string_view line);
  // False once a run could not be written whole (a full disk): the sorted
  // output would lack lines.
  bool ok() const { return !failed_; }
  // Writes every line added, each as a line of out, in folded order
  // (folded_less).
  void write_sorted(shell_output& out);
  // The number of runs spilled to temporary files so far.
  std::size_t spilled_runs() const { return spilled_; }

 private:
  struct line_slot {
    std::size_t offset;
    std::size_t length;
  };
  std::vector<std::string_view> sorted_run();
  std::FILE* new_run_file();
  void spill_run();
  std::FILE* merge(std::vector<std::FILE*> inputs, const std::vector<std::string_view>* in_memory,
                   shell_output* out);

  std::size_t run_bytes_;
  std::filesystem::path temp_folder_;
  std::string text_;
  std::vector<line_slot> lines_;
  std::vector<std::FILE*> runs_;
  std::size_t spilled_ = 0;
  // Set when no temporary file could be made: the lines then stay in memory.
  bool memory_only_ = false;
  bool failed_ = false;
};

}  // namespace docbase
