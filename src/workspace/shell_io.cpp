#include "workspace/shell_io.h"

#include <cstring>
#include <ostream>

namespace docbase {
namespace fs = std::filesystem;

namespace {
constexpr std::size_t buffer_size = 1 << 16;
}

shell_output::~shell_output() { close(); }

bool shell_output::redirect(const fs::path& file, bool append) {
  std::FILE* opened = std::fopen(file.c_str(), append ? "ab" : "wb");
  if (opened == nullptr) return false;
  close();
  std::setvbuf(opened, nullptr, _IOFBF, buffer_size);
  file_ = opened;
  failed_ = false;
  return true;
}

void shell_output::write_line(std::string_view text) {
  if (file_ == nullptr) {
    console_->write(text.data(), static_cast<std::streamsize>(text.size()));
    console_->put('\n');
    return;
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fwrite("\r\n", 1, 2, file_) != 2)
    failed_ = true;
}

void shell_output::write_text(std::string_view text) {
  if (file_ == nullptr) {
    console_->write(text.data(), static_cast<std::streamsize>(text.size()));
    return;
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
}

void shell_output::flush_console() { console_->flush(); }

bool shell_output::close() {
  if (file_ == nullptr) return true;
  bool ok = std::fclose(file_) == 0 && !failed_;
  file_ = nullptr;
  return ok;
}

bool touch_file(const fs::path& file, bool append) {
  std::FILE* opened = std::fopen(file.c_str(), append ? "ab" : "wb");
  if (opened == nullptr) return false;
  std::fclose(opened);
  return true;
}

line_reader::line_reader(const fs::path& file, bool strip_cr)
    : line_reader(std::fopen(file.c_str(), "rb"), strip_cr) {}

line_reader::line_reader(std::FILE* file, bool strip_cr) : file_(file), strip_cr_(strip_cr) {
  if (file_ != nullptr) buffer_.resize(buffer_size);
}

line_reader::~line_reader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool line_reader::refill() {
  if (file_ == nullptr) return false;
  position_ = 0;
  filled_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  return filled_ > 0;
}

bool line_reader::next(std::string& line) {
  line.clear();
  bool any = false;
  while (true) {
    if (position_ == filled_ && !refill()) {
      if (!any) return false;
      if (strip_cr_ && !line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    any = true;
    const char* start = buffer_.data() + position_;
    const void* found = std::memchr(start, '\n', filled_ - position_);
    if (found == nullptr) {
      line.append(start, filled_ - position_);
      position_ = filled_;
      continue;
    }
    std::size_t length = static_cast<const char*>(found) - start;
    line.append(start, length);
    position_ += length + 1;
    if (strip_cr_ && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
}

}  // namespace docbase
