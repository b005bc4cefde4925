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
  rewritten_file opened;
  if (append)
    opened.file = std::fopen(file.c_str(), "ab");
  else
    opened = open_rewritten(file);
  if (opened.file == nullptr) return false;
  close();
  std::setvbuf(opened.file, nullptr, _IOFBF, buffer_size);
  file_ = opened.file;
  path_ = file;
  old_size_ = append ? 0 : opened.old_size;
  written_ = 0;
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
  written_ += text.size() + 2;
}

void shell_output::write_text(std::string_view text) {
  if (file_ == nullptr) {
    console_->write(text.data(), static_cast<std::streamsize>(text.size()));
    return;
  }
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
  written_ += text.size();
}

void shell_output::flush_console() { console_->flush(); }

bool shell_output::close() {
  if (file_ == nullptr) return true;
  rewritten_file file{file_, old_size_};
  file_ = nullptr;
  return close_rewritten(path_, file, written_) && !failed_;
}

bool touch_file(const fs::path& file, bool append) {
  if (append) {
    std::FILE* opened = std::fopen(file.c_str(), "ab");
    return opened != nullptr && std::fclose(opened) == 0;
  }
  rewritten_file opened = open_rewritten(file);
  return opened.file != nullptr && close_rewritten(file, opened, 0);
}

rewritten_file open_rewritten(const fs::path& path) {
  std::error_code error;
  rewritten_file opened;
  if (fs::is_regular_file(path, error)) {
    std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > 0) {
      opened.file = std::fopen(path.c_str(), "r+b");
      if (opened.file != nullptr) {
        opened.old_size = size;
        return opened;
      }
    }
  }
  opened.file = std::fopen(path.c_str(), "wb");
  return opened;
}

bool close_rewritten(const fs::path& path, rewritten_file& file, std::uintmax_t written) {
  bool ok = std::fclose(file.file) == 0;
  file.file = nullptr;
  if (file.old_size > written) {
    std::error_code error;
    fs::resize_file(path, written, error);
    ok = ok && !error;
  }
  return ok;
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
