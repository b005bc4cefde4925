#pragma once
// Probes of the commands the later stages rely on: the command interpreter,
// find, findstr and sort, each run on a listing of the current folder.

#include <string_view>

namespace docbase {

// The number of lines of the file that hold more than blanks; 0 when the file
// is missing.
long long count_nonblank_lines(std::string_view path);

// Runs the four probes in order; the first that finds no usable output shows
// a hint about the system path and ends the run on "1".
void check_tools();

}  // namespace docbase
