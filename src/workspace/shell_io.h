#pragma once
// Buffered output and input of the interpreter's commands. Output goes to the
// console with "\n" line ends, or to a file with CR LF line ends.

#include <cstdio>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

namespace docbase {

class shell_output {
 public:
  explicit shell_output(std::ostream& console) : console_(&console) {}
  ~shell_output();
  shell_output(const shell_output&) = delete;
  shell_output& operator=(const shell_output&) = delete;

  // Sends the output to file from now on: created or emptied, or appended to.
  // False, with the output unchanged, when the file cannot be opened.
  bool redirect(const std::filesystem::path& file, bool append);
  bool to_console() const { return file_ == nullptr; }
  void write_line(std::string_view text);
  void write_text(std::string_view text);
  // Sends pending console output on, so that a message on the error stream
  // comes after it.
  void flush_console();
  // Closes a redirect file; false when a write to it failed.
  bool close();

 private:
  std::ostream* console_;
  std::FILE* file_ = nullptr;
  std::filesystem::path path_;
  std::uintmax_t old_size_ = 0;
  std::uintmax_t written_ = 0;
  bool failed_ = false;
};

// Creates or empties file (or, with append, creates it when missing); false
// when that cannot be done.
bool touch_file(const std::filesystem::path& file, bool append);

// A file opened to be written anew. An existing file is written over in place
// and cut to its new length at the end instead of being emptied first: the
// bytes are the same, and a file system that hands freed blocks back to the
// device at once (a discard on each truncation) is spared that on every one
// of the many small files that command lines rewrite.
struct rewritten_file {
  std::FILE* file = nullptr;
  std::uintmax_t old_size = 0;
};
rewritten_file open_rewritten(const std::filesystem::path& path);
// Closes the file after written bytes and cuts off what is left of the old
// content; false when that fails.
bool close_rewritten(const std::filesystem::path& path, rewritten_file& file, std::uintmax_t written);

// Reads a file line by line through one buffer. A line ends at LF; with
// strip_cr (the usual reading) a CR directly before the LF, or as the last
// byte of the file, is not part of it. A last line without LF is a line; an
// empty file has none.
class line_reader {
 public:
  line_reader(const std::filesystem::path& file, bool strip_cr = true);
  // Takes over an open file (positioned where reading starts).
  line_reader(std::FILE* file, bool strip_cr);
  ~line_reader();
  line_reader(const line_reader&) = delete;
  line_reader& operator=(const line_reader&) = delete;

  bool is_open() const { return file_ != nullptr; }
  // The next line into line; false at the end of the file.
  bool next(std::string& line);

 private:
  bool refill();

  std::FILE* file_ = nullptr;
  bool strip_cr_;
  std::string buffer_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
};

}  // namespace docbase
