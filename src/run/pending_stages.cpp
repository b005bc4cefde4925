// Console input and prompts not written yet; each definition leaves this file
// when it is.
#include "run/console.h"
#include "run/prompts.h"
#include "run/run_values.h"

namespace docbase {
std::string poll_key() { return "1"; }
void wait_for_input() {}
bool input_ended() { return false; }
std::string read_typed_line() { return {}; }
void clear_screen() {}
void restore_terminal() {}
void choice_prompt(std::string_view, std::string_view) {}
void confirm_end_prompt() { end_run(); }
void any_key_end_prompt() { end_run(); }
void any_key_prompt() {}
}  // namespace docbase
