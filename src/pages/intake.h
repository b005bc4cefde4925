#pragma once
// Intake of the input texts: the copies in txt_wrk and their safe names.

#include <cstddef>
#include <string>
#include <string_view>

namespace docbase {

// 1-based position of the first ".txt" in line, in any letter case; 0 when the
// line names no text file.
std::size_t extension_position(std::string_view line);

// The name a listed text file gets in txt_wrk: before the extension only ASCII
// letters, digits and underscores (every other byte becomes "_"), the extension
// and what follows it as listed, and "file_" in front of a name that would
// otherwise begin with "page_", or whose part before the extension is "page"
// or "f_promote" (in any case), so that no page made from it can take the
// place of a numbered page or of the promotional page. A line without ".txt"
// comes back trimmed of blanks.
std::string safe_text_name(std::string_view line);

}  // namespace docbase
