#pragma once
// Runs console code with scripted keys on standard input and its console
// output captured.

#include <unistd.h>

#include <iostream>
#include <sstream>
#include <string>

#include "run/console.h"

namespace docbase::testing {

// While it lives, standard input is a pipe holding keys; with keep_open the
// pipe stays open after them, as a keyboard that has nothing more to give.
class scripted_keys {
 public:
  explicit scripted_keys(const std::string& keys, bool keep_open = false) {
    saved_input_ = ::dup(STDIN_FILENO);
    int ends[2];
    if (::pipe(ends) != 0) return;
    [[maybe_unused]] ssize_t written = ::write(ends[1], keys.data(), keys.size());
    if (keep_open)
      writer_ = ends[1];
    else
      ::close(ends[1]);
    ::dup2(ends[0], STDIN_FILENO);
    ::close(ends[0]);
    reset_console_input();
  }
  ~scripted_keys() {
    if (writer_ >= 0) ::close(writer_);
    ::dup2(saved_input_, STDIN_FILENO);
    ::close(saved_input_);
    reset_console_input();
  }
  scripted_keys(const scripted_keys&) = delete;
  scripted_keys& operator=(const scripted_keys&) = delete;

 private:
  int saved_input_ = -1;
  int writer_ = -1;
};

// While it lives, what is written to std::cout and std::cerr is kept instead
// of shown.
class captured_console {
 public:
  captured_console()
      : previous_(std::cout.rdbuf(text_.rdbuf())), previous_errors_(std::cerr.rdbuf(errors_.rdbuf())) {}
  ~captured_console() {
    std::cout.rdbuf(previous_);
    std::cerr.rdbuf(previous_errors_);
  }
  captured_console(const captured_console&) = delete;
  captured_console& operator=(const captured_console&) = delete;
  std::string text() {
    std::cout.flush();
    return text_.str();
  }
  std::string errors() const { return errors_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* previous_;
  std::ostringstream errors_;
  std::streambuf* previous_errors_;
};

}  // namespace docbase::testing
