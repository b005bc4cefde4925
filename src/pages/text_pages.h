#pragma once
// Conversion of one text file into a page in the fixed HTML frame.

#include <string>
#include <string_view>

namespace docbase {

// The page name for a listed text name: the name, trimmed of blanks, up to and
// including the dot of its first ".txt" (in any case), then "htm". A line
// without ".txt" gives "".
std::string text_page_name(std::string_view line);

// Writes the page for one text: the frame, then every text line with its
// trailing blanks removed, one line read at a time. A text that cannot be
// opened gives the frame alone.
void write_text_page(std::string_view text_path, std::string_view page_path);

}  // namespace docbase
