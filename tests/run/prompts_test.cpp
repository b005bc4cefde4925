#include "run/prompts.h"

#include <filesystem>

#include "run/console.h"
#include "run/run_values.h"
#include "run/scripted_console.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::captured_console;
using testing::scripted_keys;

class prompts_test : public testing::temp_folder_test {
 protected:
  // Makes a sub-folder of the test folder the current folder.
  void enter(const std::string& name) {
    std::filesystem::create_directory(name);
    std::filesystem::current_path(name);
  }
};

TEST_F(prompts_test, choice_prints_its_lines_once_and_drops_keys_other_than_1_and_2) {
  // "3", a letter, Enter, an arrow key's bytes, then "1"; "z" is left waiting.
  scripted_keys keys("3a\r\n\x1b[A1z");
  captured_console console;
  choice_prompt("<1> continue", "<2> end");
  EXPECT_EQ(console.text(), "<1> continue\n<2> end\n");
  EXPECT_EQ(poll_key(), "z");
}

TEST_F(prompts_test, choice_ends_the_run_on_2_and_when_the_keys_run_out) {
  for (const char* typed : {"x2", "x", ""}) {
    scripted_keys keys(typed);
    captured_console console;
    EXPECT_THROW(choice_prompt("<1> continue", "<2> end"), run_ended) << typed;
  }
}

TEST_F(prompts_test, developer_folder_answers_1_by_itself_even_to_2) {
  enter("Qopra_VEMTUKS-and-bym_Zorfa_test");
  for (const char* typed : {"2", ""}) {
    scripted_keys keys(typed);
    captured_console console;
    EXPECT_NO_THROW(choice_prompt("<1> continue", "<2> end")) << typed;
  }
}

TEST_F(prompts_test, one_marker_alone_is_no_developer_folder) {
  enter("qopra_vemtuks_only");
  scripted_keys keys("2");
  captured_console console;
  EXPECT_THROW(choice_prompt("<1> continue", "<2> end"), run_ended);
}

TEST_F(prompts_test, failure_prompts_ignore_the_developer_folder) {
  enter("qopra_vemtuks_bym_zorfa_");
  scripted_keys keys("2x1z");
  captured_console console;
  EXPECT_THROW(confirm_end_prompt(), run_ended);
  EXPECT_EQ(console.text(), "<1> = continue and end\n");
  // Only "1" ended it: "2" and "x" were passed over.
  EXPECT_EQ(poll_key(), "z");
}

TEST_F(prompts_test, any_key_end_prompt_ends_on_any_key) {
  for (const char* typed : {"\x1b[A", "3", ""}) {
    scripted_keys keys(typed);
    captured_console console;
    EXPECT_THROW(any_key_end_prompt(), run_ended);
    EXPECT_EQ(console.text(), "<...> any key to continue and end\n");
  }
}

TEST_F(prompts_test, any_key_prompt_returns_on_a_key_or_at_the_end_of_the_keys) {
  {
    scripted_keys keys("ab");
    captured_console console;
    any_key_prompt();
    EXPECT_EQ(console.text(), "<...> any key to continue\n");
    EXPECT_EQ(poll_key(), "b");
  }
  scripted_keys keys("");
  captured_console console;
  EXPECT_NO_THROW(any_key_prompt());
}

TEST_F(prompts_test, poll_key_returns_at_once_when_no_key_is_waiting) {
  scripted_keys keys("", /*keep_open=*/true);
  EXPECT_EQ(poll_key(), "");
  EXPECT_FALSE(input_ended());
  wait_for_input();
  EXPECT_EQ(poll_key(), "");
}

}  // namespace
}  // namespace docbase
