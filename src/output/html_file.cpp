#include "output/html_file.h"

namespace docbase {

void html_file::open_for_output(std::string_view path) {
  close();
  file_.open_for_output(path);
}

void html_file::close() {
  flush();
  file_.close();
}

void html_file::put_large(const char* bytes, std::size_t size) {
  flush();
  if (size > capacity) {
    file_.write_text(std::string_view(bytes, size));
    return;
  }
  std::memcpy(buffer_.get(), bytes, size);
  used_ = size;
}

void html_file::flush() {
  if (used_ > 0) file_.write_text(std::string_view(buffer_.get(), used_));
  used_ = 0;
}

}  // namespace docbase
