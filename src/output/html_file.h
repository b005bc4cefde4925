#pragma once
// An output page written in large pieces: its lines are gathered in memory and
// handed to the record file when the buffer is full and when the page is
// closed, so that a page of many short lines costs few writes.

#include <string>
#include <string_view>

#include "records/record_file.h"

namespace docbase {

class html_file {
 public:
  html_file() = default;
  ~html_file() { close(); }
  html_file(const html_file&) = delete;
  html_file& operator=(const html_file&) = delete;

  void open_for_output(std::string_view path);
  // Writes what is gathered and closes the file.
  void close();

  // The pieces one after another, without a line end.
  template <typename... Pieces>
  void write_text(const Pieces&... pieces) {
    (buffer_.append(std::string_view(pieces)), ...);
    if (buffer_.size() >= flush_size) flush();
  }
  // The pieces one after another, then CR LF.
  template <typename... Pieces>
  void write_line(const Pieces&... pieces) {
    write_text(pieces..., "\r\n");
  }

 private:
  static constexpr std::size_t flush_size = 1 << 16;

  void flush();

  record_file file_;
  std::string buffer_;
};

}  // namespace docbase
