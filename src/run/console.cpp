#include "run/console.h"

#include <unistd.h>

#include <iostream>

#include "records/record_file.h"

namespace docbase {

namespace {
int column = 1;

void put(std::string_view text) {
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::size_t last_line_end = text.rfind('\n');
  column = last_line_end == std::string_view::npos ? column + static_cast<int>(text.size())
                                                   : static_cast<int>(text.size() - last_line_end);
}
}  // namespace

void write_line(std::string_view text) {
  put(text);
  put("\n");
}

void write_text(std::string_view text) { put(text); }

void write_number(long long value, bool zone) {
  std::string text;
  append_number(text, value);
  put(text);
  if (zone) {
    int length = column - 1;
    put(std::string(static_cast<std::size_t>((length / 14 + 1) * 14 - length), ' '));
  }
}

int console_column() { return column; }

void flush_console() { std::cout.flush(); }

void clear_screen() {
  if (!::isatty(STDOUT_FILENO)) return;
  std::cout << "\x1b[H\x1b[2J";
  flush_console();
  column = 1;
}

}  // namespace docbase
