#include <gtest/gtest.h>

#include "pages/text_pages.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

using testing::read_file;
using testing::write_file;

const std::string page_head =
    "<HTML>\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"content-type\"  content=\"text/HTML; charset=utf-8\">\r\n"
    "<title>\r\n"
    "htm_wrk\\story.htm\r\n"
    "</title>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "<pre>\r\n";
const std::string page_tail = "</pre>\r\n</body>\r\n</html>\r\n";

class text_page_test : public testing::temp_folder_test {};

TEST_F(text_page_test, frames_the_text_lines_with_trailing_blanks_removed) {
  const std::string text = "\xEF\xBB\xBFHello  \r\n<b>markup</b> & more\n   \n\ttab kept\t \ncaf\xC3\xA9 last";
  write_file("txt_wrk/story.txt", text);
  std::filesystem::create_directory("htm_wrk");
  write_text_page("txt_wrk\\story.txt", "htm_wrk\\story.htm");
  EXPECT_EQ(read_file("htm_wrk/story.htm"), page_head +
                                                "\xEF\xBB\xBFHello\r\n"
                                                "<b>markup</b> & more\r\n"
                                                "\r\n"
                                                "\ttab kept\t\r\n"
                                                "caf\xC3\xA9 last\r\n" +
                                                page_tail);
}

TEST_F(text_page_test, an_empty_or_missing_text_gives_the_frame_alone) {
  write_file("txt_wrk/empty.txt", "");
  std::filesystem::create_directory("htm_wrk");
  write_text_page("txt_wrk\\empty.txt", "htm_wrk\\story.htm");
  EXPECT_EQ(read_file("htm_wrk/story.htm"), page_head + page_tail);
  write_text_page("txt_wrk\\missing.txt", "htm_wrk\\story.htm");
  EXPECT_EQ(read_file("htm_wrk/story.htm"), page_head + page_tail);
}

TEST_F(text_page_test, binary_text_and_a_long_line_without_line_end_pass_through) {
  std::string binary("\x00\x01\xFF\xFE\r\x80 x\n", 9);
  std::string long_line(20'000'000, 'w');
  write_file("txt_wrk/story.txt", binary + long_line);
  std::filesystem::create_directory("htm_wrk");
  write_text_page("txt_wrk\\story.txt", "htm_wrk\\story.htm");
  EXPECT_EQ(read_file("htm_wrk/story.htm"),
            page_head + std::string("\x00\x01\xFF\xFE\r\x80 x\r\n", 10) + long_line + "\r\n" + page_tail);
}

}  // namespace
}  // namespace docbase
