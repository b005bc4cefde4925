#pragma once
// The external merge sort of a file's lines in byte order, and the k-way merge
// it is built on.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace docbase {

// Lines per run file, and the most run files merged in one pass.
inline constexpr std::size_t sort_run_lines = 2000;
inline constexpr std::size_t sort_file_max = 50;

using line_less = bool (*)(std::string_view, std::string_view);

// Sorts the lines of input_name (each as read_line gives it) in byte order into
// output_name, every line followed by CR LF, duplicates kept. Leaves its run
// files file_s_N.txt behind. Ends the run at once when input_name is empty,
// when a merge result is out of order ("sort error") or when the merge output
// cannot be opened.
void sort_file(std::string_view input_name, std::string_view output_name);

// Gives the file source the name target, replacing a file of that name. A
// failure is silent, like that of a copy.
void move_file(std::string_view source, std::string_view target);

// The same with runs sorted and merged by less, while each merge result is
// still checked for byte order; any other order ends the run with "sort error".
void sort_file(std::string_view input_name, std::string_view output_name, line_less less);

// Merges count sorted sources into one sorted stream. next(i, line) puts the
// next line of source i into line and returns false once source i is spent;
// emit(line) receives every line in merged order. Of equal lines, the one from
// the lower-numbered source comes first. Holds one line per source.
template <class Next, class Less, class Emit>
void merge_sorted(std::size_t count, Next&& next, Less&& less, Emit&& emit) {
  std::vector<std::string> heads(count);
  std::vector<std::size_t> heap;
  heap.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    if (next(i, heads[i])) heap.push_back(i);

  auto before = [&](std::size_t a, std::size_t b) {
    if (less(heads[a], heads[b])) return true;
    if (less(heads[b], heads[a])) return false;
    return a < b;
  };
  auto sift_down = [&](std::size_t at) {
    const std::size_t size = heap.size();
    const std::size_t moving = heap[at];
    while (true) {
      std::size_t child = 2 * at + 1;
      if (child >= size) break;
      if (child + 1 < size && before(heap[child + 1], heap[child])) ++child;
      if (!before(heap[child], moving)) break;
      heap[at] = heap[child];
      at = child;
    }
    heap[at] = moving;
  };

  for (std::size_t at = heap.size() / 2; at-- > 0;) sift_down(at);
  while (!heap.empty()) {
    std::size_t top = heap.front();
    emit(std::as_const(heads[top]));
    if (!next(top, heads[top])) {
      heap.front() = heap.back();
      heap.pop_back();
      if (heap.empty()) break;
    }
    sift_down(0);
  }
}

}  // namespace docbase
