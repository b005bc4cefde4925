#include "output/html_file.h"

namespace docbase {

void html_file::open_for_output(std::string_view path) {
  close();
  file_.open_for_output(path);
  buffer_.reserve(flush_size + 4096);
}

void html_file::close() {
  flush();
  file_.close();
}

void html_file::flush() {
  file_.write_text(buffer_);
  buffer_.clear();
}

}  // namespace docbase
