#pragma once
// The second site to which the word search pages restrict their web searches,
// typed by the user.

#include <string>
#include <string_view>

namespace docbase {

// The first field of a typed line: blanks and tabs before it skipped; in
// double quotes, the text up to the next quote; else the text up to the first
// comma, blanks at its end kept. At most 4096 bytes.
std::string parse_target_field(std::string_view line);

// Explains the targeted search, reads one typed line and sets target_site.
void ask_target_site();

}  // namespace docbase
