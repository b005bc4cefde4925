#include <gtest/gtest.h>

#include "pages/intake.h"
#include "pages/text_pages.h"

namespace docbase {
namespace {

struct name_case {
  const char* listed;
  const char* safe;
};

TEST(safe_text_name, gives_each_listed_name_its_safe_form) {
  const name_case cases[] = {
      {"story_01.txt", "story_01.txt"},
      {"my story.txt", "my_story.txt"},
      {"a-b.c.txt", "a_b_c.txt"},
      {"Notes.TXT", "Notes.TXT"},
      {"Mixed.TxT", "Mixed.TxT"},
      {"  blanks around .txt  ", "blanks_around.txt"},
      {"x.txt.txt", "x.txt.txt"},
      {"a b.txt c-d.txt", "a_b.txt_c_d.txt"},
      {"x.txt>y.txt", "x.txt_y.txt"},
      {"caf\xC3\xA9.txt", "caf__.txt"},
      {"page_1.txt", "file_page_1.txt"},
      {"Page_x.txt", "file_Page_x.txt"},
      {"PAGE_.txt", "file_PAGE_.txt"},
      {"page-1.txt", "file_page_1.txt"},
      {"page 2.txt", "file_page_2.txt"},
      {"pages.txt", "pages.txt"},
      {"mypage_1.txt", "mypage_1.txt"},
      // A text named page would have its normalised copy named page_01.htm,
      // the promotional page's number; one named f_promote would lose its
      // page to the promotional page.
      {"page.txt", "file_page.txt"},
      {"PAGE.TXT", "file_PAGE.TXT"},
      {"page .txt", "file_page.txt"},
      {"f_promote.txt", "file_f_promote.txt"},
      {"F-Promote.txt", "file_F_Promote.txt"},
      {"readme.md", "readme.md"},
  };
  for (const name_case& c : cases) EXPECT_EQ(safe_text_name(c.listed), c.safe) << c.listed;
}

TEST(extension_position, finds_the_first_txt_in_any_case) {
  EXPECT_EQ(extension_position("a.TxT"), 2u);
  EXPECT_EQ(extension_position("ab.txt.txt"), 3u);
  EXPECT_EQ(extension_position("readme"), 0u);
}

TEST(text_page_name, cuts_after_the_dot_of_the_first_extension) {
  EXPECT_EQ(text_page_name("story.txt"), "story.htm");
  EXPECT_EQ(text_page_name("Upper.TXT"), "Upper.htm");
  EXPECT_EQ(text_page_name("x.txt.txt"), "x.htm");
  EXPECT_EQ(text_page_name(" spaced.txt "), "spaced.htm");
  EXPECT_EQ(text_page_name("notes.md"), "");
}

}  // namespace
}  // namespace docbase
