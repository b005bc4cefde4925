#include "workspace/shell_names.h"

#include <gtest/gtest.h>

#include "workspace/shell_line.h"

namespace docbase {
namespace {

TEST(wildcard_match, follows_the_interpreter_rules) {
  struct case_ {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const case_ cases[] = {
      {"*.txt", "a.txt", true},        {"*.txt", "A.TXT", true},         {"*.txt", "a.txt.bak", false},
      {"*.txt", "txt", false},         {"*.htm*", "a.html", true},       {"*.htm*", "a.htm", true},
      {"*.htm*", "a.ht", false},       {"*.*", "noext", true},           {"*", ".hidden", true},
      {"*.", "htm_in", true},          {"*.", "a.txt", false},           {"*.", ".x", false},
      {"page_*.htm", "page_01.htm", true}, {"page_*.htm", "Page_1.HTM", true}, {"page_*.htm", "xpage_1.htm", false},
      {"check_*.txt", "check_.txt", true}, {"?.htm", "a.htm", true},      {"?.htm", "ab.htm", false},
      {"wrd_24*.txt", "wrd_24_1.txt", true}, {"wrd_24*.txt", "wrd_241.txt", true}, {"wrd_24*.txt", "wrd_2.txt", false},
      {"a.*", "a", true},              {"a.*", "ab", false},             {"x.txt", "X.TXT", true},
      {"*a*b*", "xaxxbx", true},       {"*a*b*", "xbxa", false},
  };
  for (const case_& c : cases) EXPECT_EQ(wildcard_match(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

TEST(parse_command_line, takes_words_quotes_and_redirections_apart) {
  parsed_command command = parse_command_line("cmd /c find /i \".exe\" check_01.txt >  check_02.txt");
  ASSERT_TRUE(command.valid);
  ASSERT_EQ(command.words.size(), 4u);
  EXPECT_EQ(command.words[0].text, "find");
  EXPECT_EQ(command.words[2].text, ".exe");
  EXPECT_TRUE(command.words[2].quoted);
  ASSERT_EQ(command.redirections.size(), 1u);
  EXPECT_EQ(command.redirections[0].target, "check_02.txt");
  EXPECT_FALSE(command.redirections[0].append);

  command = parse_command_line("rename \"txt_wrk\\a b&c.txt\" a_b_c.txt >>out.txt > last.txt");
  ASSERT_TRUE(command.valid);
  ASSERT_EQ(command.words.size(), 3u);
  EXPECT_EQ(command.words[1].text, "txt_wrk\\a b&c.txt");
  ASSERT_EQ(command.redirections.size(), 2u);
  EXPECT_TRUE(command.redirections[0].append);
  EXPECT_EQ(command.redirections[1].target, "last.txt");

  EXPECT_FALSE(parse_command_line("dir | sort").valid);
  EXPECT_FALSE(parse_command_line("dir > ").valid);
  EXPECT_FALSE(parse_command_line("sort < in.txt").valid);
}

}  // namespace
}  // namespace docbase
