#pragma once
// An output page written in large pieces: its lines are gathered in memory and
// handed to the record file when the buffer is full and when the page is
// closed, so that a page of many short lines costs few writes.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

#include "records/record_file.h"

namespace docbase {

class html_file {
 public:
  html_file() : buffer_(std::make_unique<char[]>(capacity)) {}
  ~html_file() { close(); }
  html_file(const html_file&) = delete;
  html_file& operator=(const html_file&) = delete;

  void open_for_output(std::string_view path);
  // Writes what is gathered and closes the file.
  void close();

  // The pieces one after another, without a line end. A piece is a string,
  // a string view or a string literal.
  template <typename... Pieces>
  void write_text(const Pieces&... pieces) {
    (put(pieces), ...);
    if (used_ >= flush_size) flush();
  }
  // The pieces one after another, then CR LF.
  template <typename... Pieces>
  void write_line(const Pieces&... pieces) {
    write_text(pieces..., "\r\n");
  }

 private:
  static constexpr std::size_t flush_size = 1 << 20;
  static constexpr std::size_t capacity = 2 * flush_size;

  // A literal's size is known here, so that its copy needs no call.
  template <std::size_t size>
  void put(const char (&literal)[size]) {
    put_bytes(literal, size - 1);
  }
  void put(std::string_view text) { put_bytes(text.data(), text.size()); }
  void put_bytes(const char* bytes, std::size_t size) {
    // An empty view may hold no pointer at all, which memcpy must not see.
    if (size == 0) return;
    if (size > capacity - used_) {
      put_large(bytes, size);
      return;
    }
    std::memcpy(buffer_.get() + used_, bytes, size);
    used_ += size;
  }
  void put_large(const char* bytes, std::size_t size);
  void flush();

  record_file file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace docbase
