#pragma once
// Names as the interpreter sees them: its order, its wildcards and the
// entries of a folder that a command can address.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace docbase {

// The order of listings and of the line sort: ASCII letters folded to lower
// case, bytes compared as unsigned values, a proper prefix first; texts that
// are equal so are ordered by their raw bytes.
bool folded_less(std::string_view a, std::string_view b);

bool has_wildcard(std::string_view name);

// Whether name matches pattern without regard to ASCII case: '*' stands for
// any run of bytes, '?' for one byte. "*" and "*.*" match every name; a
// pattern ending in "." matches only names without a dot; one ending in ".*"
// also matches the name without that extension ("a.*" matches "a").
bool wildcard_match(std::string_view pattern, std::string_view name);

// A path argument taken apart at its last backslash (or slash): the folder
// part as written, with that separator ("htm_in\"), or empty; and the name.
struct split_path {
  std::string folder_text;
  std::string name;
};
split_path split_last_name(std::string_view path);

struct folder_entry {
  std::string name;
  bool is_folder = false;
  bool is_link = false;
};

// The entries of a folder in folded order, without "." and "..".
// Entries whose names no command line can address are not among them; they
// are in unaddressable, in the same order.
struct folder_listing {
  std::vector<folder_entry> entries;
  std::vector<std::string> unaddressable;
};

// The listing of folder; empty when it cannot be read.
folder_listing read_folder(const std::filesystem::path& folder);

// A name for messages: bytes that cannot be shown become '?'.
std::string printable_name(std::string_view name);

}  // namespace docbase
