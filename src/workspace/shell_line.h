#pragma once
// Taking one command line apart into words and redirections, the way the
// interpreter reads it: blanks separate words outside double quotes, and
// ">" or ">>" with the word after it sends the output to a file.

#include <string>
#include <string_view>
#include <vector>

namespace docbase {

struct shell_word {
  std::string text;      // without its double quotes
  bool quoted = false;   // written in double quotes, in whole or in part
  bool literal = false;  // a name found on disk: a file name, never a pattern
};

struct shell_redirection {
  std::string target;
  bool append = false;  // ">>"
};

struct parsed_command {
  std::vector<shell_word> words;
  std::vector<shell_redirection> redirections;
  bool valid = true;
};

// The words and redirections of line; an optional "cmd /c" in front is
// dropped. valid is false for a ">" without a file name after it and for an
// unquoted "<", "|" or "&", which would chain or pipe commands.
parsed_command parse_command_line(std::string_view line);

// A switch such as "/b" or "/Y": unquoted and starting with a slash.
bool is_switch(const shell_word& word);

}  // namespace docbase
