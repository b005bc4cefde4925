#include "records/merge_sort.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>

#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "run/run_values.h"
#include "workspace/host_path.h"
#include "workspace/shell.h"

namespace docbase {

namespace {

constexpr const char* merge_output = "sort_output.txt";

struct sorted_run {
  std::size_t number;
  std::uint64_t lines;
};

std::string run_name(std::size_t number) { return "file_s_" + std::to_string(number) + ".txt"; }

[[noreturn]] void sort_error() {
  write_line("sort error");
  end_run();
}

[[noreturn]] void no_handle_for_merge(std::size_t fan_in, std::string_view input_name,
                                      std::string_view output_name) {
  write_line("---------- sort error ----------");
  write_line("number of files > file.max");
  std::string line = "file.max = ";
  append_number(line, static_cast<long long>(fan_in));
  write_line(line);
  write_line("sort.input$ = " + std::string(input_name));
  write_line("sort.output$ = " + std::string(output_name));
  write_line("file.name.02$ = " + std::string(merge_output));
  line = "file.num.02 = ";
  append_number(line, 0);
  write_line(line);
  end_run();
}

// Cuts the input into sorted runs of sort_run_lines lines, file_s_1.txt onward.
std::deque<sorted_run> write_runs(std::string_view input_name, line_less less) {
  record_file input;
  input.open_for_reading(input_name);
  std::vector<std::string> buffer(sort_run_lines);
  std::size_t filled = 0;
  std::deque<sorted_run> runs;
  auto write_run = [&] {
    std::sort(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(filled),
              [less](const std::string& a, const std::string& b) { return less(a, b); });
    sorted_run run{runs.size() + 1, filled};
    record_file file;
    file.open_for_output(run_name(run.number));
    for (std::size_t i = 0; i < filled; ++i) file.write_line(buffer[i]);
    runs.push_back(run);
    filled = 0;
  };
  while (input.read_line(buffer[filled]))
    if (++filled == sort_run_lines) write_run();
  if (filled > 0) write_run();
  return runs;
}

// Merges the given runs into sort_output.txt, checking that every line is
// in byte order after the one before it and that no line was lost.
void merge_pass(const std::vector<sorted_run>& runs, line_less less, std::string_view input_name,
                std::string_view output_name) {
  std::vector<record_file> sources(runs.size());
  std::uint64_t expected = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    sources[i].open_for_reading(run_name(runs[i].number));
    expected += runs[i].lines;
  }
  record_file merged;
  merged.open_for_output(merge_output);
  if (!merged.is_open()) no_handle_for_merge(runs.size(), input_name, output_name);

  std::string previous;
  std::uint64_t written = 0;
  merge_sorted(
      runs.size(), [&](std::size_t i, std::string& line) { return sources[i].read_line(line); },
      less,
      [&](const std::string& line) {
        if (written > 0 && byte_less(line, previous)) sort_error();
        previous.assign(line);
        merged.write_line(line);
        ++written;
      });
  if (written != expected) sort_error();
}

}  // namespace

void move_file(std::string_view source, std::string_view target) {
  auto from = host_path(source);
  auto to = host_path(target);
  if (!from || !to) return;
  std::error_code error;
  std::filesystem::rename(*from, *to, error);
  note_folder_changed(*from);
  note_folder_changed(*to);
}

void sort_file(std::string_view input_name, std::string_view output_name) {
  sort_file(input_name, output_name, byte_less);
}

// The runs wait in a queue: each pass merges the first runs of the queue into
// sort_output.txt, which becomes a new run at the end of the queue (or, after
// the last pass, the output), so that runs are merged as a balanced tree and
// every line is rewritten about log50(runs) times.
void sort_file(std::string_view input_name, std::string_view output_name, line_less less) {
  if (input_name.empty()) end_run();
  run_shell("dir > file_s_01.txt");
  run_shell("del /q file_s_*.txt > null.txt");

  std::deque<sorted_run> queue = write_runs(input_name, less);
  if (queue.empty()) {
    record_file empty;
    empty.open_for_output(output_name);
    return;
  }
  std::size_t next_number = queue.size() + 1;
  while (true) {
    std::size_t fan_in = std::min(queue.size(), sort_file_max);
    std::vector<sorted_run> pass(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(fan_in));
    queue.erase(queue.begin(), queue.begin() + static_cast<std::ptrdiff_t>(fan_in));
    merge_pass(pass, less, input_name, output_name);
    if (queue.empty()) {
      move_file(merge_output, output_name);
      return;
    }
    sorted_run merged{next_number++, 0};
    for (const sorted_run& run : pass) {
      run_shell("del /q " + run_name(run.number) + " > out_null.list");
      merged.lines += run.lines;
    }
    move_file(merge_output, run_name(merged.number));
    queue.push_back(merged);
  }
}

}  // namespace docbase
