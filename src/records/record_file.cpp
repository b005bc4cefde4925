#include "records/record_file.h"

#include <cstring>
#include <utility>

#include "workspace/host_path.h"

namespace docbase {

namespace {
constexpr std::size_t buffer_size = 1 << 16;
}

void append_number(std::string& text, long long value) {
  if (value < 0) {
    text += '-';
    text += std::to_string(-(value + 1) + 1ULL);
  } else {
    text += ' ';
    text += std::to_string(value);
  }
}

record_file::~record_file() { close(); }

record_file::record_file(record_file&& other) noexcept { *this = std::move(other); }

record_file& record_file::operator=(record_file&& other) noexcept {
  if (this != &other) {
    close();
    file_ = std::exchange(other.file_, nullptr);
    mode_ = std::exchange(other.mode_, mode::closed);
    buffer_ = std::move(other.buffer_);
    buffer_position_ = other.buffer_position_;
    buffer_fill_ = other.buffer_fill_;
    consumed_ = other.consumed_;
    length_at_open_ = other.length_at_open_;
    exhausted_ = other.exhausted_;
    pushed_back_ = other.pushed_back_;
    line_length_ = other.line_length_;
  }
  return *this;
}

void record_file::open_for_output(std::string_view path) {
  close();
  auto host = host_path(path);
  if (!host) return;
  file_ = std::fopen(host->c_str(), "wb");
  if (file_ == nullptr) return;
  note_folder_changed(*host);
  mode_ = mode::writing;
  std::setvbuf(file_, nullptr, _IOFBF, buffer_size);
  line_length_ = 0;
}

void record_file::open_for_append(std::string_view path) {
  close();
  auto host = host_path(path);
  if (!host) return;
  file_ = std::fopen(host->c_str(), "ab");
  if (file_ == nullptr) return;
  note_folder_changed(*host);
  mode_ = mode::writing;
  std::setvbuf(file_, nullptr, _IOFBF, buffer_size);
  line_length_ = 0;
}

void record_file::open_for_reading(std::string_view path) {
  close();
  exhausted_ = true;
  auto host = host_path(path);
  if (!host) return;
  std::error_code error;
  if (!std::filesystem::is_regular_file(*host, error)) return;
  file_ = std::fopen(host->c_str(), "rb");
  if (file_ == nullptr) return;
  mode_ = mode::reading;
  auto length = std::filesystem::file_size(*host, error);
  length_at_open_ = error ? 0 : length;
  buffer_.resize(buffer_size);
  buffer_position_ = buffer_fill_ = 0;
  consumed_ = 0;
  pushed_back_ = -1;
  exhausted_ = length_at_open_ == 0;
}

void record_file::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  mode_ = mode::closed;
  buffer_.clear();
  buffer_.shrink_to_fit();
  buffer_position_ = buffer_fill_ = 0;
  consumed_ = length_at_open_ = 0;
  exhausted_ = true;
  pushed_back_ = -1;
}

void record_file::put(std::string_view bytes) {
  if (mode_ != mode::writing || bytes.empty()) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file_);
  std::size_t last_line_end = bytes.rfind('\n');
  line_length_ = last_line_end == std::string_view::npos ? line_length_ + bytes.size()
                                                         : bytes.size() - last_line_end - 1;
}

void record_file::write_record(std::initializer_list<std::string_view> fields) {
  write_record(std::span<const std::string_view>(fields.begin(), fields.size()));
}

void record_file::write_record(std::span<const std::string_view> fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += '"';
    line += fields[i];
    line += '"';
  }
  line += "\r\n";
  put(line);
}

void record_file::write_record(std::span<const std::string> fields) {
  std::vector<std::string_view> views(fields.begin(), fields.end());
  write_record(std::span<const std::string_view>(views));
}

void record_file::write_line(std::string_view text) {
  put(text);
  put("\r\n");
}

void record_file::write_text(std::string_view text) { put(text); }

void record_file::write_number(long long value, number_end end) {
  std::string text;
  append_number(text, value);
  put(text);
  if (end == number_end::line_end) {
    put("\r\n");
  } else {
    std::uint64_t target = (line_length_ / 14 + 1) * 14;
    put(std::string(target - line_length_, ' '));
  }
}

bool record_file::fill_buffer() {
  if (mode_ != mode::reading || exhausted_) return false;
  buffer_fill_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  buffer_position_ = 0;
  if (buffer_fill_ == 0) {
    // The file shrank since it was opened: end here rather than wait for bytes
    // that will never come.
    exhausted_ = true;
    return false;
  }
  return true;
}

int record_file::next_byte() {
  if (pushed_back_ >= 0) return std::exchange(pushed_back_, -1);
  if (consumed_ >= length_at_open_) {
    exhausted_ = true;
    return -1;
  }
  if (buffer_position_ == buffer_fill_ && !fill_buffer()) return -1;
  ++consumed_;
  return static_cast<unsigned char>(buffer_[buffer_position_++]);
}

int record_file::peek_byte() {
  int byte = next_byte();
  if (byte >= 0) push_back(byte);
  return byte;
}

bool record_file::at_end_of_file() const {
  if (pushed_back_ >= 0) return false;
  return mode_ != mode::reading || exhausted_ || consumed_ >= length_at_open_;
}

void record_file::rewind() {
  if (mode_ != mode::reading) return;
  std::fseek(file_, 0, SEEK_SET);
  buffer_position_ = buffer_fill_ = 0;
  consumed_ = 0;
  pushed_back_ = -1;
  exhausted_ = length_at_open_ == 0;
}

// After a closing quote (or a field cut at the limit): blanks and tabs are
// skipped, then one comma or one line end is consumed; any other byte is left
// to begin the next field.
void record_file::after_closing_quote() {
  int byte = next_byte();
  while (byte == ' ' || byte == '\t') byte = next_byte();
  if (byte == ',' || byte == '\n' || byte < 0) return;
  if (byte == '\r') {
    int after = next_byte();
    if (after >= 0 && after != '\n') push_back(after);
    return;
  }
  push_back(byte);
}

std::string record_file::read_field() {
  std::string field;
  int byte = next_byte();
  while (byte == ' ' || byte == '\t') byte = next_byte();
  if (byte < 0) return field;

  bool quoted = byte == '"';
  if (!quoted) push_back(byte);
  while (true) {
    if (field.size() == field_limit) {
      after_closing_quote();
      return field;
    }
    byte = next_byte();
    if (byte < 0) return field;
    if (byte == '\n') return field;
    if (byte == '\r') {
      int after = next_byte();
      if (after >= 0 && after != '\n') push_back(after);
      return field;
    }
    if (quoted && byte == '"') {
      after_closing_quote();
      return field;
    }
    if (!quoted && byte == ',') return field;
    field += static_cast<char>(byte);
  }
}

bool record_file::read_line(std::string& line) {
  line.clear();
  if (at_end_of_file()) return false;
  if (pushed_back_ >= 0) {
    int byte = std::exchange(pushed_back_, -1);
    if (byte == '\n') return true;
    line += static_cast<char>(byte);
  }
  while (consumed_ < length_at_open_) {
    if (buffer_position_ == buffer_fill_ && !fill_buffer()) break;
    std::size_t available = buffer_fill_ - buffer_position_;
    std::uint64_t allowed = length_at_open_ - consumed_;
    if (available > allowed) available = static_cast<std::size_t>(allowed);
    const char* start = buffer_.data() + buffer_position_;
    const void* found = std::memchr(start, '\n', available);
    std::size_t taken = found ? static_cast<const char*>(found) - start : available;
    line.append(start, taken);
    if (found) {
      buffer_position_ += taken + 1;
      consumed_ += taken + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    buffer_position_ += taken;
    consumed_ += taken;
  }
  if (consumed_ >= length_at_open_) exhausted_ = true;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string record_file::read_line() {
  std::string line;
  read_line(line);
  return line;
}

}  // namespace docbase
