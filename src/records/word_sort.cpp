#include "records/word_sort.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "records/line_batch.h"
#include "records/merge_sort.h"
#include "records/record_file.h"
#include "records/text.h"
#include "workspace/host_path.h"

namespace docbase {

namespace {

std::size_t sort_bytes = std::size_t{32} << 20;

constexpr int page_code = 4, line_code = 5, column_code = 3, index_code = 4;

std::string run_name(std::size_t number) { return "word_run_" + std::to_string(number) + ".txt"; }

// Eight bytes from first as a number, zeros past the end of the record.
std::uint64_t prefix_of(std::string_view record, std::size_t first) {
  std::uint64_t prefix = 0;
  for (std::size_t i = first; i < first + 8; ++i)
    prefix = (prefix << 8) | (i < record.size() ? static_cast<unsigned char>(record[i]) : 0u);
  return prefix;
}

}  // namespace

void append_code(std::string& out, std::uint64_t value, int width) {
  for (int i = width - 1; i >= 0; --i) out += static_cast<char>(0x80 | ((value >> (7 * i)) & 0x7F));
}

std::uint64_t read_code(const char* at, int width) {
  std::uint64_t value = 0;
  for (int i = 0; i < width; ++i) value = (value << 7) | (static_cast<unsigned char>(at[i]) & 0x7F);
  return value;
}

void append_word_sort_record(std::string& out, const word_sort_record& record) {
  out += record.key;
  out += '"';
  append_code(out, record.page, page_code);
  append_code(out, record.line, line_code);
  out += record.word;
  out += '"';
  append_code(out, record.column, column_code);
  append_code(out, record.index, index_code);
}

word_sort_record read_word_sort_record(std::string_view text) {
  word_sort_record record;
  std::size_t key_end = text.find('"');
  record.key = text.substr(0, key_end);
  const char* at = text.data() + key_end + 1;
  record.page = read_code(at, page_code);
  at += page_code;
  record.line = read_code(at, line_code);
  at += line_code;
  std::size_t word_start = static_cast<std::size_t>(at - text.data());
  std::size_t word_end = text.find('"', word_start);
  record.word = text.substr(word_start, word_end - word_start);
  at = text.data() + word_end + 1;
  record.column = read_code(at, column_code);
  at += column_code;
  record.index = read_code(at, index_code);
  return record;
}

std::size_t word_sort_bytes() { return sort_bytes; }
void set_word_sort_bytes(std::size_t bytes) { sort_bytes = bytes; }

word_run_maker::word_run_maker()
    : capacity_(std::max<std::size_t>(sort_bytes / 3 * 2, 64)),
      most_records_(std::max<std::size_t>(sort_bytes / 3 / sizeof(entry), 1)),
      bytes_(new char[capacity_]) {}

word_run_maker::~word_run_maker() { delete[] bytes_; }

void word_run_maker::add(std::string_view record) {
  if (used_ + record.size() > capacity_ || entries_.size() == most_records_) write_run();
  std::memcpy(bytes_ + used_, record.data(), record.size());
  entries_.push_back({prefix_of(record, 0), prefix_of(record, 8), static_cast<std::uint32_t>(used_),
                      static_cast<std::uint32_t>(record.size())});
  used_ += record.size();
}

std::vector<std::string> word_run_maker::finish() {
  write_run();
  delete[] bytes_;
  bytes_ = nullptr;
  std::vector<entry>().swap(entries_);
  return std::move(runs_);
}

void word_run_maker::discard() {
  for (const std::string& run : runs_) remove_work_file(run);
  runs_.clear();
}

void word_run_maker::write_run() {
  if (entries_.empty()) return;
  std::sort(entries_.begin(), entries_.end(), [this](const entry& a, const entry& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (a.more != b.more) return a.more < b.more;
    // Equal prefixes: the bytes both records have among the first sixteen are equal.
    std::size_t same = std::min<std::size_t>({16, a.size, b.size});
    return view(a).substr(same) < view(b).substr(same);
  });
  runs_.push_back(run_name(runs_.size() + 1));
  line_batch run(runs_.back());
  for (const entry& e : entries_) run.add_line(view(e));
  entries_.clear();
  used_ = 0;
}

namespace {

// The line at the head of a run, with its first sixteen bytes as numbers.
struct run_head {
  std::uint64_t prefix = 0;
  std::uint64_t more = 0;
  std::string line;

  void take_prefix() {
    prefix = prefix_of(line, 0);
    more = prefix_of(line, 8);
  }
};

// Of equal lines, the one from the lower-numbered run first.
bool head_before(const run_head& a, std::size_t a_run, const run_head& b, std::size_t b_run) {
  if (a.prefix != b.prefix) return a.prefix < b.prefix;
  if (a.more != b.more) return a.more < b.more;
  std::size_t same = std::min<std::size_t>({16, a.line.size(), b.line.size()});
  int order = std::string_view(a.line).substr(same).compare(std::string_view(b.line).substr(same));
  return order != 0 ? order < 0 : a_run < b_run;
}

// Merges the runs and hands every line in byte order to take, until it
// returns false; then deletes the run files.
void merge_runs(const std::vector<std::string>& names, const std::function<bool(const std::string&)>& take) {
  std::vector<record_file> sources(names.size());
  std::vector<run_head> heads(names.size());
  std::vector<std::size_t> heap;
  auto advance = [&](std::size_t run) {
    if (!sources[run].read_line(heads[run].line)) return false;
    heads[run].take_prefix();
    return true;
  };
  for (std::size_t run = 0; run < names.size(); ++run) {
    sources[run].open_for_reading(names[run]);
    if (advance(run)) heap.push_back(run);
  }
  auto before = [&](std::size_t a, std::size_t b) { return head_before(heads[a], a, heads[b], b); };
  auto sift_down = [&](std::size_t at) {
    const std::size_t moving = heap[at];
    while (true) {
      std::size_t child = 2 * at + 1;
      if (child >= heap.size()) break;
      if (child + 1 < heap.size() && before(heap[child + 1], heap[child])) ++child;
      if (!before(heap[child], moving)) break;
      heap[at] = heap[child];
      at = child;
    }
    heap[at] = moving;
  };
  for (std::size_t at = heap.size() / 2; at-- > 0;) sift_down(at);
  while (!heap.empty()) {
    std::size_t top = heap.front();
    if (!take(heads[top].line)) break;
    if (!advance(top)) {
      heap.front() = heap.back();
      heap.pop_back();
      if (heap.empty()) break;
    }
    sift_down(0);
  }
  sources.clear();
  for (const std::string& name : names) remove_work_file(name);
}

}  // namespace

void merge_word_runs(std::vector<std::string> runs, const std::function<bool(const std::string&)>& emit) {
  std::size_t next_number = runs.size() + 1;
  while (runs.size() > sort_file_max) {
    std::vector<std::string> pass(runs.begin(), runs.begin() + sort_file_max);
    runs.erase(runs.begin(), runs.begin() + sort_file_max);
    runs.push_back(run_name(next_number++));
    line_batch merged(runs.back());
    merge_runs(pass, [&](const std::string& line) {
      merged.add_line(line);
      return true;
    });
  }
  merge_runs(runs, emit);
}

void remove_work_file(std::string_view name) {
  auto path = host_path(name);
  if (!path) return;
  std::error_code error;
  if (std::filesystem::remove(*path, error)) note_folder_changed(*path);
}

}  // namespace docbase
