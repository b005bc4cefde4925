#pragma once
// Record files and line files: the encoding of every intermediate file.
//
// A record is one line: each field in double quotes, commas between fields,
// CR LF after the last field, no escaping. A line file holds one value per
// line, each followed by CR LF. Reading follows fixed rules (see read_field and
// read_line) that every stage depends on, awkward content included. Opening
// never fails loudly: a file that cannot be opened for reading reads as empty,
// and writes to a file that could not be opened are lost.

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace docbase {

enum class number_end { line_end, zone };

// Appends an integer as write_number writes it: a blank before a zero or
// positive number, a minus sign before a negative one.
void append_number(std::string& text, long long value);

class record_file {
 public:
  static constexpr std::size_t field_limit = 4096;

  record_file() = default;
  ~record_file();
  record_file(const record_file&) = delete;
  record_file& operator=(const record_file&) = delete;
  record_file(record_file&& other) noexcept;
  record_file& operator=(record_file&& other) noexcept;

  // Paths are in the program's own form (backslashes, any letter case).
  void open_for_output(std::string_view path);
  void open_for_append(std::string_view path);
  void open_for_reading(std::string_view path);
  void close();
  bool is_open() const { return file_ != nullptr; }

  void write_record(std::initializer_list<std::string_view> fields);
  void write_record(std::span<const std::string_view> fields);
  void write_record(std::span<const std::string> fields);
  void write_line(std::string_view text);
  void write_text(std::string_view text);
  // The integer, then CR LF or blanks up to the next multiple of 14 columns.
  void write_number(long long value, number_end end);

  // The next field: blanks and tabs before it skipped; a quoted field ends at
  // its closing quote or a line end; an unquoted one at a comma or line end;
  // at most 4096 bytes. Past the end of the file, an empty string.
  std::string read_field();
  // The next line without its LF (and a CR just before it); past the end, "".
  std::string read_line();
  // The same into line; false (and line empty) when nothing was left to read.
  bool read_line(std::string& line);
  // True once every byte the file held when it was opened has been consumed.
  bool at_end_of_file() const;
  void rewind();

 private:
  enum class mode { closed, reading, writing };

  int next_byte();
  int peek_byte();
  void push_back(int byte) { pushed_back_ = byte; }
  bool fill_buffer();
  void put(std::string_view bytes);
  void after_closing_quote();

  std::FILE* file_ = nullptr;
  mode mode_ = mode::closed;
  std::vector<char> buffer_;
  std::size_t buffer_position_ = 0;
  std::size_t buffer_fill_ = 0;
  std::uint64_t consumed_ = 0;
  std::uint64_t length_at_open_ = 0;
  bool exhausted_ = false;
  int pushed_back_ = -1;
  std::uint64_t line_length_ = 0;
};

}  // namespace docbase
