#pragma once
// Paths as the program writes them ("htm_in\page_01.htm") on this file system.
//
// Backslash separates folders (a slash too, since no name here can hold one).
// Each name matches an existing entry without regard to ASCII letter case, as
// on the platform the program was made for; a name with no match is taken as
// written, so that a new file gets the name the program gave it. Only paths
// inside the current folder's tree are allowed.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace docbase {

// The path below the current folder that program_path names, or nullopt when
// program_path is absolute, starts with a drive letter, holds a ".." step or a
// NUL byte. An empty path, or one of only separators and ".", gives ".".
std::optional<std::filesystem::path> host_path(std::string_view program_path);

// A name that no command line can address: it holds a backslash, a slash, a
// double quote or a control byte. Such entries are left out of listings and
// wildcard matches, so that no command can be steered by them.
bool is_unaddressable_name(std::string_view name);

// Keeps the case-insensitive name lookup in step with changes this process
// makes: call after creating, renaming or removing an entry.
void note_folder_changed(const std::filesystem::path& entry);

}  // namespace docbase
