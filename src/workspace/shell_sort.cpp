#include "workspace/shell_sort.h"

#include <algorithm>
#include <memory>
#include <queue>

#include "workspace/shell_io.h"
#include "workspace/shell_names.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

std::size_t configured_run_bytes = std::size_t{16} << 20;
// Runs merged at once; when this many are spilled they are merged into one,
// so that the number of open files stays bounded.
constexpr std::size_t merge_width = 64;
constexpr std::size_t slot_cost = sizeof(std::size_t) * 2;

// Lines in run files end with LF only; a CR inside a line is kept.
void write_run_line(std::FILE* file, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), file);
  std::fputc('\n', file);
}

}  // namespace

std::size_t sort_run_bytes() { return configured_run_bytes; }
void set_sort_run_bytes(std::size_t bytes) { configured_run_bytes = std::max<std::size_t>(bytes, 1); }

line_sorter::line_sorter(std::size_t run_bytes, fs::path temp_folder)
    : run_bytes_(run_bytes), temp_folder_(std::move(temp_folder)) {}

line_sorter::~line_sorter() {
  for (std::FILE* run : runs_) std::fclose(run);
}

void line_sorter::add(std::string_view line) {
  if (!memory_only_ && !lines_.empty() && text_.size() + (lines_.size() + 1) * slot_cost + line.size() > run_bytes_)
    spill_run();
  lines_.push_back({text_.size(), line.size()});
  text_.append(line);
}

std::vector<std::string_view> line_sorter::sorted_run() {
  std::vector<std::string_view> views;
  views.reserve(lines_.size());
  for (const line_slot& slot : lines_) views.emplace_back(text_.data() + slot.offset, slot.length);
  std::sort(views.begin(), views.end(), [](std::string_view a, std::string_view b) { return folded_less(a, b); });
  return views;
}

std::FILE* line_sorter::new_run_file() {
  static unsigned long long counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = temp_folder_ / ("~sort_run_" + std::to_string(++counter) + ".tmp");
    std::FILE* file = std::fopen(name.c_str(), "w+bx");
    if (file == nullptr) continue;
    std::error_code ignored;
    fs::remove(name, ignored);
    return file;
  }
  return nullptr;
}

void line_sorter::spill_run() {
  std::FILE* file = new_run_file();
  if (file == nullptr) {
    memory_only_ = true;
    return;
  }
  for (std::string_view line : sorted_run()) write_run_line(file, line);
  if (std::fflush(file) != 0 || std::ferror(file)) failed_ = true;
  std::rewind(file);
  runs_.push_back(file);
  ++spilled_;
  text_.clear();
  lines_.clear();
  if (runs_.size() >= merge_width) {
    std::FILE* merged = merge(runs_, nullptr, nullptr);
    if (merged != nullptr) runs_ = {merged};
  }
}

void line_sorter::write_sorted(shell_output& out) {
  std::vector<std::string_view> in_memory = sorted_run();
  if (runs_.empty()) {
    for (std::string_view line : in_memory) out.write_line(line);
  } else {
    std::vector<std::FILE*> runs = std::move(runs_);
    runs_.clear();
    merge(std::move(runs), &in_memory, &out);
  }
  text_.clear();
  text_.shrink_to_fit();
  lines_.clear();
  lines_.shrink_to_fit();
}

// Merges the runs in inputs (closing them) and the sorted lines in_memory
// into out, or, without out, into a new run file that is returned. Without
// out and without room for a new run, returns nullptr and leaves the inputs
// open.
std::FILE* line_sorter::merge(std::vector<std::FILE*> inputs, const std::vector<std::string_view>* in_memory,
                              shell_output* out) {
  std::FILE* merged = nullptr;
  if (out == nullptr) {
    merged = new_run_file();
    if (merged == nullptr) return nullptr;
  }
  std::vector<std::unique_ptr<line_reader>> readers;
  for (std::FILE* input : inputs) readers.push_back(std::make_unique<line_reader>(input, false));
  std::vector<std::string> heads(readers.size() + 1);
  std::size_t memory_next = 0;
  auto advance = [&](std::size_t source) {
    if (source < readers.size()) return readers[source]->next(heads[source]);
    if (in_memory == nullptr || memory_next >= in_memory->size()) return false;
    heads[source].assign((*in_memory)[memory_next++]);
    return true;
  };
  auto greater = [&heads](std::size_t a, std::size_t b) {
    if (folded_less(heads[b], heads[a])) return true;
    if (folded_less(heads[a], heads[b])) return false;
    return b < a;
  };
  std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(greater)> queue(greater);
  for (std::size_t i = 0; i < heads.size(); ++i)
    if (advance(i)) queue.push(i);
  while (!queue.empty()) {
    std::size_t i = queue.top();
    queue.pop();
    if (out != nullptr)
      out->write_line(heads[i]);
    else
      write_run_line(merged, heads[i]);
    if (advance(i)) queue.push(i);
  }
  if (merged != nullptr) {
    if (std::fflush(merged) != 0 || std::ferror(merged)) failed_ = true;
    std::rewind(merged);
  }
  return merged;
}

}  // namespace docbase
