#pragma once
// A temp folder with the run values of an ordinary run, a fixed clock, and
// helpers that write the lines of a file with CR LF.

#include <initializer_list>
#include <string>

#include "output/html_blocks.h"
#include "output/key_word_index.h"
#include "run/run_values.h"
#include "support/temp_folder.h"

namespace docbase::testing {

// Each line followed by CR LF.
inline std::string crlf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline std::string crlf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

inline clock_reading fixed_clock() { return {2026, 12, 9, 7, 5, 9}; }

class output_test : public temp_folder_test {
 protected:
  void SetUp() override {
    temp_folder_test::SetUp();
    run_values& run = the_run();
    saved_ = run;
    run.code_page = "UTF-8";
    run.font_color = "red";
    run.font_size = "140%";
    run.find_word = 1;
    run.program_site = "www.example.com";
    run.target_site = "";
    run.group_count = 1;
    set_clock(fixed_clock);
    restart_entry_count();
  }
  void TearDown() override {
    set_clock(nullptr);
    the_run() = saved_;
    temp_folder_test::TearDown();
  }

 private:
  run_values saved_;
};

// The eleven head lines of an output page with the given title.
inline std::vector<std::string> head_lines(const std::string& title) {
  return {"<html>", "<br>", "<head>", "<br>",
          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">", "<br>",
          "<title>" + title + "</title>", "<br>", "</head>", "<br>", "<body>"};
}

// The description block as the fixed clock dates it.
inline std::vector<std::string> description_lines() {
  return {"<br>",
          "QUICK AND EASY INFORMATION SEARCH",
          "<br>",
          "We offer users a fast and efficient way to search for information in input files, and they can also "
          "continue their search with the help of program-defined Google search phrases.",
          "<br>",
          "Just double-clicking on any word is enough to access the index of all words.",
          "<br>",
          "<br>",
          "Details:",
          "<br>",
          "<a href=\"https://www.example.net\">https://www.example.net</a>",
          "<br><br>",
          "Date (mm-dd-yy) = 12-09-2026<br>",
          "Time (h:m:s)    = 07:05:09<br>"};
}

// The highlight script, with the display rule when find_word is on.
inline std::vector<std::string> script_lines(bool find_word) {
  std::vector<std::string> lines = {
      "<script language=\"javascript\">",
      "if (history.length > 0)",
      "{",
      "document.writeln(\"<style type=\\\"text/css\\\">\");",
      "document.writeln(self.location.hash + \" { color: red } \");",
      "document.writeln(self.location.hash + \" { font-size: 140% } \");",
      "document.writeln(self.location.hash + \" { font-weight: bold } \");"};
  if (find_word) lines.push_back("document.writeln(self.location.hash + \" { display: inline } \");");
  lines.insert(lines.end(), {"document.writeln(\"</style>\");", "}", "</script>"});
  return lines;
}

inline void append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
  to.insert(to.end(), lines.begin(), lines.end());
}

}  // namespace docbase::testing
