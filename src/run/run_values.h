#pragma once
// The values a run carries from stage to stage. The driver holds them for the
// length of one run; each is set by one stage and read by later ones.

#include <string>

namespace docbase {

// The maker's web sites and the search engine; fixed for every build.
inline constexpr const char* maker_address_1 = "https://www.example.org";
inline constexpr const char* maker_address_2 = "https://www.example.net";
inline constexpr const char* search_base = "https://www.google.com";

struct run_values {
  // The path by which the program was started; only ever printed.
  std::string start_path;
  std::string program_name;
  std::string program_file_name;
  std::string site_name;
  std::string program_site;
  std::string target_site;
  long long input_file_count = 0;
  std::string code_page;
  std::string font_color;
  std::string font_size;
  int find_word = 0;
  int group_count = 0;
};

// The values of the run in progress.
run_values& the_run();

// Thrown by end_run; the entry point catches it and ends the process with
// status 0, after open files have been closed on the way out.
struct run_ended {};

// Ends the run at once with exit status 0. Nothing is cleaned up.
[[noreturn]] void end_run();

}  // namespace docbase
