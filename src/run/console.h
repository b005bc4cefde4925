#pragma once
// The console: lines of text that simply follow one another, a key poll that
// never blocks, and one clearing of the window per run.

#include <string>
#include <string_view>

namespace docbase {

void write_line(std::string_view text = {});
void write_text(std::string_view text);
// The integer with a blank before it (a minus sign when negative); with zone,
// blanks follow up to the next print zone (zones are 14 columns wide).
void write_number(long long value, bool zone = false);
// The column the cursor stands in, 1 at the start of a line.
int console_column();
// Sends what was written so far to the terminal; done before every command
// line and every prompt, so that a transcript keeps the run's order.
void flush_console();

// Prepares the console for a run: on a terminal, keys are read one at a time
// without echo; Ctrl+C and the other ending signals put the terminal back
// and end the process with status 0.
void start_console();

// "" when no key is waiting; one character for an ordinary key; byte 255 and
// the key's code for a key without a character (arrows, function keys).
std::string poll_key();
// Waits briefly for input so that polling does not spin; returns at once when
// input is waiting.
void wait_for_input();
// True once standard input is a pipe or file that has reached its end and no
// typed-ahead key is left.
bool input_ended();
// Reads one typed line up to Enter (without it), from the same input as
// poll_key, so that keys typed ahead are neither lost nor read twice.
std::string read_typed_line();
// Clears the window (only when standard output is a terminal).
void clear_screen();
// Puts the terminal back as it was found; safe to call more than once.
void restore_terminal();
// Forgets keys read ahead and any end of input seen, for a new standard input.
void reset_console_input();

}  // namespace docbase
