#include "workspace/shell_line.h"

#include "records/text.h"

namespace docbase {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool ends_word(char c) { return is_blank(c) || c == '>' || c == '<' || c == '|' || c == '&'; }

// Reads one word starting at position at; returns the position after it.
std::size_t read_word(std::string_view line, std::size_t at, shell_word& word) {
  bool in_quotes = false;
  for (; at < line.size(); ++at) {
    char c = line[at];
    if (c == '"') {
      in_quotes = !in_quotes;
      word.quoted = true;
    } else if (!in_quotes && ends_word(c)) {
      break;
    } else {
      word.text += c;
    }
  }
  return at;
}

std::size_t skip_blanks(std::string_view line, std::size_t at) {
  while (at < line.size() && is_blank(line[at])) ++at;
  return at;
}

bool is_word(const shell_word& word, std::string_view text) {
  return !word.quoted && lower_ascii(word.text) == text;
}

}  // namespace

parsed_command parse_command_line(std::string_view line) {
  parsed_command command;
  std::size_t at = skip_blanks(line, 0);
  while (at < line.size()) {
    char c = line[at];
    if (c == '>') {
      shell_redirection redirection;
      redirection.append = at + 1 < line.size() && line[at + 1] == '>';
      at = skip_blanks(line, at + (redirection.append ? 2 : 1));
      shell_word target;
      at = read_word(line, at, target);
      if (target.text.empty()) {
        command.valid = false;
        return command;
      }
      redirection.target = std::move(target.text);
      command.redirections.push_back(std::move(redirection));
    } else if (c == '<' || c == '|' || c == '&') {
      command.valid = false;
      return command;
    } else {
      shell_word word;
      at = read_word(line, at, word);
      command.words.push_back(std::move(word));
    }
    at = skip_blanks(line, at);
  }
  auto& words = command.words;
  while (words.size() >= 2 && (is_word(words[0], "cmd") || is_word(words[0], "cmd.exe")) &&
         is_word(words[1], "/c"))
    words.erase(words.begin(), words.begin() + 2);
  if (words.size() == 1 && (is_word(words[0], "cmd") || is_word(words[0], "cmd.exe"))) words.clear();
  return command;
}

bool is_switch(const shell_word& word) {
  return !word.quoted && !word.literal && !word.text.empty() && word.text[0] == '/';
}

}  // namespace docbase
