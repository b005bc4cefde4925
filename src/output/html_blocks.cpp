#include "output/html_blocks.h"

#include <cstdio>
#include <ctime>

#include "run/run_values.h"

namespace docbase {

namespace {

clock_reading local_clock() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

clock_function current_clock = local_clock;

std::string two_digits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string four_digits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", value);
  return text;
}

}  // namespace

void set_clock(clock_function clock) { current_clock = clock != nullptr ? clock : local_clock; }

std::string date_text() {
  clock_reading now = current_clock();
  return two_digits(now.month) + "-" + two_digits(now.day) + "-" + four_digits(now.year);
}

std::string time_text() {
  clock_reading now = current_clock();
  return two_digits(now.hour) + ":" + two_digits(now.minute) + ":" + two_digits(now.second);
}

void write_head_lines(html_file& page, std::string_view title) {
  page.write_line("<html>");
  page.write_line("<br>");
  page.write_line("<head>");
  page.write_line("<br>");
  page.write_line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=", the_run().code_page, "\">");
  page.write_line("<br>");
  page.write_line("<title>", title, "</title>");
  page.write_line("<br>");
  page.write_line("</head>");
  page.write_line("<br>");
  page.write_line("<body>");
}

void write_highlight_script(html_file& page) {
  const run_values& run = the_run();
  page.write_line("<script language=\"javascript\">");
  page.write_line("if (history.length > 0)");
  page.write_line("{");
  page.write_line("document.writeln(\"<style type=\\\"text/css\\\">\");");
  page.write_line("document.writeln(self.location.hash + \" { color: ", run.font_color, " } \");");
  page.write_line("document.writeln(self.location.hash + \" { font-size: ", run.font_size, " } \");");
  page.write_line("document.writeln(self.location.hash + \" { font-weight: bold } \");");
  if (run.find_word == 1) page.write_line("document.writeln(self.location.hash + \" { display: inline } \");");
  page.write_line("document.writeln(\"</style>\");");
  page.write_line("}");
  page.write_line("</script>");
}

void write_promotional_block(html_file& page) {
  const std::string_view maker_1 = maker_address_1;
  const std::string_view maker_2 = maker_address_2;
  page.write_line("<br>");
  page.write_line("<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAMS </b>");
  page.write_line("<br>");
  page.write_line(
      "<br> Our programs are intended for companis who want to consolidate their brand through free distribution "
      "of the programs.");
  page.write_line("<br> Advertising messages and search links in the programs are tailored to each customer individually.");
  page.write_line("<br>");
  page.write_line("<br> PLACEMENT OF ADVERTISING MESSAGES");
  page.write_line("<br> The programs read advertising messages from the web address specified by the buyer when ordering.");
  page.write_line("<br> Advertisement messages are placed in the all-words index and other output files.");
  page.write_line("<br>");
  page.write_line("<br> GOOGLE SEARCH PHRASES");
  page.write_line(
      "<br> The programs generate Google search strings for all words in the all-words index and target the web "
      "address specified by the buyer when ordering.");
  page.write_line("<br>");
  page.write_line(
      "<br> Remember: the all-words index file is accessible while reading output file, just by double-clicking on "
      "any word.");
  page.write_line("<br> More info at:");
  page.write_line("<br> <a href=\"", maker_1, "\">", maker_1, "</a>");
  page.write_line("<br> <a href=\"", maker_2, "\">", maker_2, "</a>");
  page.write_line("<br>");
}

void write_description_block(html_file& page) {
  const std::string_view maker_2 = maker_address_2;
  page.write_line("<br>");
  page.write_line("QUICK AND EASY INFORMATION SEARCH");
  page.write_line("<br>");
  page.write_line(
      "We offer users a fast and efficient way to search for information in input files, and they can also continue "
      "their search with the help of program-defined Google search phrases.");
  page.write_line("<br>");
  page.write_line("Just double-clicking on any word is enough to access the index of all words.");
  page.write_line("<br>");
  page.write_line("<br>");
  page.write_line("Details:");
  page.write_line("<br>");
  page.write_line("<a href=\"", maker_2, "\">", maker_2, "</a>");
  page.write_line("<br><br>");
  page.write_line("Date (mm-dd-yy) = ", date_text(), "<br>");
  page.write_line("Time (h:m:s)    = ", time_text(), "<br>");
}

}  // namespace docbase
