#pragma once
// The blocks of HTML that several output pages share, and the date and time
// they show.

#include <string>
#include <string_view>

#include "output/html_file.h"

namespace docbase {

// The eleven lines from "<html>" to "<body>", with the run's code page in the
// meta line and the given title.
void write_head_lines(html_file& page, std::string_view title);

// The script that styles the element named by the address's fragment: eleven
// lines, or ten when the find-word option is off (no display rule).
void write_highlight_script(html_file& page);

// The eighteen lines that advertise the maker's programs.
void write_promotional_block(html_file& page);

// The fourteen lines that describe the document base, ending with the date
// and time at which they are written.
void write_description_block(html_file& page);

struct clock_reading {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};
using clock_function = clock_reading (*)();

// Replaces the local clock; nullptr brings it back. For tests.
void set_clock(clock_function clock);

// The local date as mm-dd-yyyy, read from the clock now.
std::string date_text();
// The local time as hh:mm:ss (24-hour), read from the clock now.
std::string time_text();

}  // namespace docbase
