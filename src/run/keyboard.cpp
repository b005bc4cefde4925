#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <string>

#include "run/console.h"

namespace docbase {

namespace {

// Keys read ahead and not yet taken. poll_key and read_typed_line both take
// from here, so that nothing typed ahead is lost or read twice.
std::string pending;
// Standard input has reported its end (a pipe or file read to the last byte).
bool ended = false;

// The terminal as it was found, and as the run uses it (no line editing, no
// echo, reads that never block). raw_active is read by the signal handlers.
termios found_settings{};
termios raw_settings{};
volatile std::sig_atomic_t raw_active = 0;

// A typed line longer than this keeps only its start; the rest is read and
// dropped, so that a huge input line cannot exhaust memory.
constexpr std::size_t line_limit = 1 << 16;

void put_terminal_back() {
  if (raw_active) ::tcsetattr(STDIN_FILENO, TCSANOW, &found_settings);
}

extern "C" void on_end_signal(int) {
  put_terminal_back();
  ::_exit(0);
}

// Ctrl+Z: the terminal is put back while the program is stopped and taken
// again when it goes on.
extern "C" void on_stop_signal(int) {
  int saved_errno = errno;
  put_terminal_back();
  std::signal(SIGTSTP, SIG_DFL);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  ::sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  std::raise(SIGTSTP);
  std::signal(SIGTSTP, on_stop_signal);
  if (raw_active) ::tcsetattr(STDIN_FILENO, TCSANOW, &raw_settings);
  errno = saved_errno;
}

void handle(int signal_number, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal_number, &action, nullptr);
}

// Reads what standard input holds into pending, waiting at most timeout_ms
// (-1: until something comes). False when nothing was added.
bool fill(int timeout_ms) {
  if (ended) return false;
  pollfd input{STDIN_FILENO, POLLIN, 0};
  int ready = ::poll(&input, 1, timeout_ms);
  if (ready < 0 && errno != EINTR) ended = true;
  if (ready <= 0) return false;
  char bytes[4096];
  ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
  if (count > 0) {
    pending.append(bytes, static_cast<std::size_t>(count));
    return true;
  }
  if (count < 0 && (errno == EINTR || errno == EAGAIN)) return false;
  // A terminal without line editing reads 0 bytes when nothing is typed; it
  // has ended only when it was hung up.
  if (count == 0 && raw_active && (input.revents & POLLHUP) == 0) return false;
  ended = true;
  return false;
}

std::string take(std::size_t count) {
  std::string key = pending.substr(0, count);
  pending.erase(0, count);
  return key;
}

// The console's code of a key without a character, from the final byte (and
// number) of the terminal's escape sequence for it.
char key_code(char final_byte, int number) {
  switch (final_byte) {
    case 'A': return 72;  // up
    case 'B': return 80;  // down
    case 'C': return 77;  // right
    case 'D': return 75;  // left
    case 'H': return 71;  // home
    case 'F': return 79;  // end
    case 'P': return 59;  // F1
    case 'Q': return 60;  // F2
    case 'R': return 61;  // F3
    case 'S': return 62;  // F4
    case '~': break;
    default: return final_byte;
  }
  switch (number) {
    case 1: case 7: return 71;
    case 2: return 82;
    case 3: return 83;
    case 4: case 8: return 79;
    case 5: return 73;
    case 6: return 81;
    case 11: case 12: case 13: case 14: case 15: return static_cast<char>(59 + number - 11);
    case 17: case 18: case 19: case 20: case 21: return static_cast<char>(64 + number - 17);
    case 23: return static_cast<char>(133);
    case 24: return static_cast<char>(134);
    default: return '~';
  }
}

// One key from a terminal: an escape sequence becomes byte 255 and the key's
// code, a UTF-8 character stays whole, any other byte is a key of its own.
std::string take_terminal_key() {
  unsigned char first = static_cast<unsigned char>(pending[0]);
  if (first == 0x1b) {
    // The rest of a sequence arrives with its first byte or just after it.
    if (pending.size() == 1) fill(10);
    if (pending.size() >= 3 && pending[1] == 'O') {
      char final_byte = pending[2];
      pending.erase(0, 3);
      return std::string{static_cast<char>(255), key_code(final_byte, 0)};
    }
    if (pending.size() >= 2 && pending[1] == '[') {
      // The Linux console writes F1 to F5 as ESC [ [ A to ESC [ [ E.
      bool console_function_key = pending.size() > 2 && pending[2] == '[';
      std::size_t at = console_function_key ? 3 : 2;
      int number = 0;
      bool in_first_number = true;
      while (at < pending.size() && static_cast<unsigned char>(pending[at]) >= 0x20 &&
             static_cast<unsigned char>(pending[at]) <= 0x3f) {
        char c = pending[at++];
        if (c >= '0' && c <= '9' && in_first_number) number = number * 10 + (c - '0');
        else in_first_number = false;
      }
      char final_byte = at < pending.size() ? pending[at++] : '~';
      if (console_function_key && final_byte >= 'A' && final_byte <= 'E') {
        number = 11 + (final_byte - 'A');
        final_byte = '~';
      }
      pending.erase(0, at);
      return std::string{static_cast<char>(255), key_code(final_byte, number)};
    }
    return take(1);
  }
  std::size_t length = 1;
  if (first >= 0xc0) {
    std::size_t wanted = first >= 0xf0 ? 4 : first >= 0xe0 ? 3 : 2;
    while (length < wanted && length < pending.size() &&
           (static_cast<unsigned char>(pending[length]) & 0xc0) == 0x80)
      ++length;
  }
  return take(length);
}

int echo_descriptor() {
  if (::isatty(STDOUT_FILENO)) return STDOUT_FILENO;
  if (::isatty(STDERR_FILENO)) return STDERR_FILENO;
  return -1;
}

void echo(int descriptor, std::string_view text) {
  if (descriptor == STDOUT_FILENO) {
    write_text(text);
    flush_console();
  } else if (descriptor >= 0) {
    [[maybe_unused]] ssize_t written = ::write(descriptor, text.data(), text.size());
  }
}

// A line typed at the terminal, echoed as it is typed; Backspace takes back
// the last character, keys without a character are ignored.
std::string read_terminal_line() {
  int echo_to = echo_descriptor();
  std::string line;
  for (;;) {
    if (pending.empty() && !fill(-1)) {
      if (ended) break;
      continue;
    }
    std::string key = take_terminal_key();
    unsigned char first = static_cast<unsigned char>(key[0]);
    if (key == "\r" || key == "\n") break;
    if (first == 0x7f || first == 0x08) {
      if (line.empty()) continue;
      while (line.size() > 1 && (static_cast<unsigned char>(line.back()) & 0xc0) == 0x80) line.pop_back();
      line.pop_back();
      echo(echo_to, "\b \b");
    } else if (first >= 0x20 && first != 0xff && line.size() + key.size() <= line_limit) {
      line += key;
      echo(echo_to, key);
    }
  }
  if (echo_to == STDERR_FILENO) echo(echo_to, "\n");
  return line;
}

// A line from a pipe or file: up to LF, a CR just before it dropped.
std::string read_piped_line() {
  std::string line;
  for (;;) {
    std::size_t line_end = pending.find('\n');
    std::size_t part = line_end == std::string::npos ? pending.size() : line_end;
    if (line.size() < line_limit) line.append(pending, 0, std::min(part, line_limit - line.size()));
    if (line_end != std::string::npos) {
      pending.erase(0, line_end + 1);
      break;
    }
    pending.clear();
    if (ended) break;
    fill(-1);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace

void start_console() {
  handle(SIGINT, on_end_signal);
  handle(SIGTERM, on_end_signal);
  handle(SIGHUP, on_end_signal);
  handle(SIGQUIT, on_end_signal);
  if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &found_settings) != 0) return;
  raw_settings = found_settings;
  raw_settings.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  raw_settings.c_cc[VMIN] = 0;
  raw_settings.c_cc[VTIME] = 0;
  handle(SIGTSTP, on_stop_signal);
  if (::tcsetattr(STDIN_FILENO, TCSANOW, &raw_settings) == 0) raw_active = 1;
}

void restore_terminal() {
  put_terminal_back();
  raw_active = 0;
}

void reset_console_input() {
  pending.clear();
  ended = false;
}

std::string poll_key() {
  if (pending.empty()) fill(0);
  if (pending.empty()) return {};
  return raw_active ? take_terminal_key() : take(1);
}

void wait_for_input() {
  if (!pending.empty()) return;
  if (ended) {
    timespec pause{0, 50'000'000};
    ::nanosleep(&pause, nullptr);
    return;
  }
  fill(50);
}

bool input_ended() {
  if (pending.empty()) fill(0);
  return ended && pending.empty();
}

std::string read_typed_line() {
  flush_console();
  std::string line = raw_active ? read_terminal_line() : read_piped_line();
  write_line();
  flush_console();
  return line;
}

}  // namespace docbase
