#pragma once
// Lines gathered in memory and written to their file in large pieces, for the
// stages that write millions of short lines.

#include <string>
#include <string_view>
#include <utility>

#include "records/record_file.h"

namespace docbase {

class line_batch {
 public:
  static constexpr std::size_t piece = std::size_t{1} << 18;

  line_batch() = default;
  explicit line_batch(std::string_view name) { open(name); }
  line_batch(line_batch&&) = default;
  line_batch& operator=(line_batch&& other) noexcept {
    close();
    file_ = std::move(other.file_);
    text_ = std::move(other.text_);
    return *this;
  }
  ~line_batch() { close(); }

  // Opens name for output (see record_file::open_for_output).
  void open(std::string_view name) {
    close();
    file_.open_for_output(name);
    text_.reserve(piece + 4096);
  }
  // Writes what is gathered and closes the file.
  void close() {
    flush();
    file_.close();
  }

  // The text of the line being made; end_line adds its line end.
  std::string& text() { return text_; }
  void end_line() {
    text_ += "\r\n";
    if (text_.size() >= piece) flush();
  }
  void add_line(std::string_view line) {
    text_ += line;
    end_line();
  }

 private:
  void flush() {
    if (text_.empty()) return;
    file_.write_text(text_);
    text_.clear();
  }

  record_file file_;
  std::string text_;
};

}  // namespace docbase
