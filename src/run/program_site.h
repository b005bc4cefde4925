#pragma once
// The program's identity, derived from the name compiled into it: the name of
// its file, its site name and the site its search links are restricted to.

#include <string>
#include <string_view>

namespace docbase {

// The program's name as compiled in: a web address, a dot and three letters.
std::string_view compiled_program_name();

struct site_identity {
  std::string program_file_name;  // the name with "exe" as its extension
  std::string site_name;          // the name without its extension
  std::string program_site;       // "www.", "http://" or "https://" and the site; empty: no prefix
};

// The three forms of program_name. program_site stays empty when the name
// begins with none of "www.", "http." and "https." anywhere.
site_identity derive_site_identity(std::string_view program_name);

// Prints the program name and the start path, sets program_name,
// program_file_name, site_name and program_site and prints program_site; a
// name without a usable prefix shows the rename instructions and ends the run.
void establish_program_site();
// The same for the program name given instead of the compiled-in one.
void establish_site_of(std::string_view program_name);

}  // namespace docbase
