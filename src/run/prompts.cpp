#include "run/prompts.h"

#include <string>

#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "run/run_values.h"
#include "workspace/shell.h"

namespace docbase {

namespace {

// A developer's folder answers every choice by itself: its path holds both
// markers, in any letter case. The path is asked anew at every poll.
bool in_developer_folder() {
  run_shell("cd > key.select.txt");
  record_file listing;
  listing.open_for_reading("key.select.txt");
  while (!listing.at_end_of_file()) {
    std::string line = lower_ascii(listing.read_line());
    if (contains(line, "qopra_vemtuks") && contains(line, "bym_zorfa_")) return true;
  }
  return false;
}

// Waits for the next key; a pipe or file that has run out of keys ends the run.
void wait_or_end() {
  if (input_ended()) end_run();
  wait_for_input();
}

}  // namespace

void choice_prompt(std::string_view first_line, std::string_view second_line) {
  write_line(first_line);
  write_line(second_line);
  flush_console();
  for (;;) {
    std::string answer = poll_key();
    if (in_developer_folder()) answer = "1";
    if (answer == "1") return;
    if (answer == "2") end_run();
    if (answer.empty()) wait_or_end();
  }
}

void confirm_end_prompt() {
  write_line("<1> = continue and end");
  flush_console();
  for (;;) {
    std::string key = poll_key();
    if (key == "1") end_run();
    if (key.empty()) wait_or_end();
  }
}

void any_key_end_prompt() {
  write_line("<...> any key to continue and end");
  flush_console();
  for (;;) {
    if (!poll_key().empty()) end_run();
    wait_or_end();
  }
}

void any_key_prompt() {
  write_line("<...> any key to continue");
  flush_console();
  while (poll_key().empty()) {
    if (input_ended()) return;
    wait_for_input();
  }
}

}  // namespace docbase
