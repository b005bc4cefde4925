#pragma once
// The four key prompts. Each prints its lines once, then polls the keyboard.

#include <string_view>

namespace docbase {

// "1" returns, "2" ends the run, other keys are dropped. In a developer folder
// (key.select.txt names both markers) it answers "1" by itself.
void choice_prompt(std::string_view first_line, std::string_view second_line);
// "<1> = continue and end": "1" ends the run, other keys are dropped.
[[noreturn]] void confirm_end_prompt();
// "<...> any key to continue and end": any key ends the run.
[[noreturn]] void any_key_end_prompt();
// "<...> any key to continue": any key returns.
void any_key_prompt();

}  // namespace docbase
