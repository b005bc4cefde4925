#include "records/word_numbers.h"

#include <algorithm>

#include "records/record_file.h"
#include "records/word_sort.h"

namespace docbase {

namespace {

std::size_t number_chunk = std::size_t{1} << 21;

// A chunk line: the index within the chunk and the three numbers, four coded
// bytes each.
constexpr int code_width = 4;
constexpr std::size_t chunk_line_size = 4 * code_width;

std::string chunk_name(std::size_t chunk) { return "word_numbers_" + std::to_string(chunk + 1) + ".txt"; }

}  // namespace

std::size_t word_number_chunk() { return number_chunk; }
void set_word_number_chunk(std::size_t records) { number_chunk = records; }

word_number_store::word_number_store(std::uint64_t records)
    : records_(records), chunk_(std::max<std::size_t>(number_chunk, 1)) {
  chunks_ = static_cast<std::size_t>((records + chunk_ - 1) / chunk_);
  if (chunks_ <= 1) {
    numbers_.resize(static_cast<std::size_t>(records));
    return;
  }
  files_.reserve(chunks_);
  for (std::size_t chunk = 0; chunk < chunks_; ++chunk) files_.emplace_back(chunk_name(chunk));
}

void word_number_store::set(std::uint64_t index, const word_number& number) {
  if (files_.empty()) {
    numbers_[static_cast<std::size_t>(index)] = number;
    return;
  }
  line_batch& file = files_[static_cast<std::size_t>(index / chunk_)];
  std::string& text = file.text();
  append_code(text, index % chunk_, code_width);
  append_code(text, number.word, code_width);
  append_code(text, number.occurrence, code_width);
  append_code(text, number.next_page, code_width);
  file.end_line();
}

void word_number_store::end_writing() {
  for (line_batch& file : files_) file.close();
}

const word_number& word_number_store::at(std::uint64_t index) {
  if (chunks_ <= 1) return numbers_[static_cast<std::size_t>(index)];
  std::size_t chunk = static_cast<std::size_t>(index / chunk_);
  if (chunk != loaded_) load(chunk);
  return numbers_[static_cast<std::size_t>(index % chunk_)];
}

void word_number_store::discard() {
  for (std::size_t chunk = 0; chunk < files_.size(); ++chunk) {
    files_[chunk].close();
    remove_work_file(chunk_name(chunk));
  }
  files_.clear();
}

void word_number_store::load(std::size_t chunk) {
  std::uint64_t first = static_cast<std::uint64_t>(chunk) * chunk_;
  numbers_.assign(static_cast<std::size_t>(std::min<std::uint64_t>(chunk_, records_ - first)), word_number{});
  record_file file;
  file.open_for_reading(chunk_name(chunk));
  std::string line;
  while (file.read_line(line)) {
    if (line.size() != chunk_line_size) continue;
    std::size_t at = static_cast<std::size_t>(read_code(line.data(), code_width));
    if (at >= numbers_.size()) continue;
    numbers_[at] = {static_cast<std::uint32_t>(read_code(line.data() + code_width, code_width)),
                    static_cast<std::uint32_t>(read_code(line.data() + 2 * code_width, code_width)),
                    static_cast<std::uint32_t>(read_code(line.data() + 3 * code_width, code_width))};
  }
  file.close();
  remove_work_file(chunk_name(chunk));
  loaded_ = chunk;
}

}  // namespace docbase
