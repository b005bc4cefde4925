#include "run/program_site.h"

#include "records/text.h"
#include "run/console.h"
#include "run/prompts.h"
#include "run/run_values.h"

#ifndef DOCBASE_PROGRAM_NAME
#define DOCBASE_PROGRAM_NAME "www.example.com.cpp"
#endif

namespace docbase {

namespace {

// Cuts site down to what follows the last occurrence of prefix; false, with
// site unchanged, when prefix does not occur in it.
bool strip_through_last(std::string& site, std::string_view prefix) {
  if (!contains(site, prefix)) return false;
  while (contains(site, prefix)) site.erase(0, site.find(prefix) + prefix.size());
  return true;
}

void show_rename_instructions() {
  write_line();
  write_line("----------------------------");
  write_line(
      "The program creates Google search queries that point to (your) website, which is summarized in the program "
      "name.");
  write_line(
      "Therefore, you must rename the program according to the name of (your) website, but the condition is that "
      "the");
  write_line(
      "new program name begins with www...(like www.example.com.exe), http...(like http.example.com.exe, or "
      "https...(like https.example.com.exe)");
  write_line("BE CAREFUL AND COPY AND RENAME THE PROGRAM ACCORDING TO THE INSTRUCTIONS!");
  write_line("----------------------------");
  write_line();
  confirm_end_prompt();
}

}  // namespace

std::string_view compiled_program_name() { return DOCBASE_PROGRAM_NAME; }

site_identity derive_site_identity(std::string_view program_name) {
  site_identity identity;
  std::size_t size = program_name.size();
  identity.program_file_name = std::string(program_name.substr(0, size >= 3 ? size - 3 : 0)) + "exe";
  identity.site_name = std::string(program_name.substr(0, size >= 4 ? size - 4 : 0));
  std::string_view file_name = identity.program_file_name;
  std::string site = lower_ascii(file_name.substr(0, file_name.size() >= 4 ? file_name.size() - 4 : 0));
  if (strip_through_last(site, "www.")) {
    identity.program_site = "www." + site;
  } else if (strip_through_last(site, "http.")) {
    identity.program_site = "http://" + site;
  } else if (strip_through_last(site, "https.")) {
    identity.program_site = "https://" + site;
  }
  return identity;
}

void establish_program_site() { establish_site_of(compiled_program_name()); }

void establish_site_of(std::string_view program_name) {
  run_values& run = the_run();
  run.program_name = std::string(program_name);
  write_line(run.program_name);
  write_line();
  write_line(run.start_path);
  site_identity identity = derive_site_identity(run.program_name);
  run.program_file_name = identity.program_file_name;
  run.site_name = identity.site_name;
  if (identity.program_site.empty()) show_rename_instructions();
  run.program_site = identity.program_site;
  write_line(run.program_site);
  write_line();
}

}  // namespace docbase
