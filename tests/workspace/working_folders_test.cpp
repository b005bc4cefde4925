#include "workspace/working_folders.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "run/run_values.h"
#include "run/scripted_console.h"
#include "support/temp_folder.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::captured_console;
using testing::read_file;
using testing::scripted_keys;
using testing::write_file;

class working_folders_test : public testing::temp_folder_test {
 protected:
  // The names in a folder, sorted; sub-folders end in "/".
  static std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
  }
};

using names = std::vector<std::string>;

TEST_F(working_folders_test, preparation_empties_htm_out_counts_the_texts_and_makes_the_folders) {
  write_file("txt_in/A.TXT", "capital extension\n");
  write_file("txt_in/notes.md", "not a text\n");
  write_file("htm_out/old.htm", "old result");
  write_file("htm_in/stale.htm", "stale page");
  write_file("txt_wrk/stale.txt", "stale copy");
  captured_console console;
  prepare_workspace();
  EXPECT_EQ(console.text(), "\n");
  EXPECT_EQ(the_run().input_file_count, 1);
  EXPECT_EQ(names_in("htm_out"), names{});
  EXPECT_EQ(names_in("htm_in"), names{});
  EXPECT_EQ(names_in("txt_wrk"), names{});
  EXPECT_EQ(names_in("htm_wrk"), names{});
  EXPECT_EQ(names_in("txt_in"), (names{"A.TXT", "notes.md"}));
}

TEST_F(working_folders_test, without_texts_the_run_ends_on_1_before_any_folder_is_made) {
  for (bool other_files : {false, true}) {
    if (other_files) write_file("txt_in/readme.md", "no texts here\n");
    scripted_keys keys("x1");
    captured_console console;
    EXPECT_THROW(prepare_workspace(), run_ended);
    EXPECT_EQ(console.text(), "\n----------------------------\nSubfolder txt_in is empty\n\n<1> = continue and end\n");
    EXPECT_FALSE(fs::exists("htm_in"));
    EXPECT_FALSE(fs::exists("txt_wrk"));
  }
}

TEST_F(working_folders_test, refresh_fills_and_backs_up_htm_in_and_removes_old_outputs) {
  the_run().start_path = "./www.example.com.exe";
  write_file("htm_wrk/a.htm", "page a");
  fs::create_directory("htm_in");
  write_file("Old.HTM", "old page");
  write_file("listing.list", "old list");
  write_file("publisher_para.txt", "old parameters");
  write_file("keep.dat", "not ours");
  write_file("htm_out/i_1.htm", "old index");
  write_file("trace/file_trace.txt", "old trace");
  captured_console console;
  refresh_working_folders();
  EXPECT_EQ(console.text(), "./www.example.com.exe\n");
  EXPECT_EQ(read_file("htm_in/a.htm"), "page a");
  EXPECT_EQ(read_file("htm_ndx/htm_in/a.htm"), "page a");
  EXPECT_EQ(read_file("trace/file_trace.txt"), "");
  // The removal of htm_out, the last step, writes its own listing and output.
  EXPECT_EQ(names_in("."),
            (names{"dir_01.txt", "htm_in/", "htm_ndx/", "htm_wrk/", "keep.dat", "out_null.list", "trace/"}));
}

TEST_F(working_folders_test, output_folders_are_created) {
  fs::create_directory("htm_in");
  captured_console console;
  create_output_folders();
  EXPECT_EQ(console.text(), "");
  EXPECT_TRUE(fs::is_directory("htm_in"));
  EXPECT_TRUE(fs::is_directory("htm_out"));
}

TEST_F(working_folders_test, finish_copies_the_results_and_removes_every_working_file) {
  the_run().site_name = "www.Example.com";
  write_file("dir_02.txt", "page_1.htm\r\nPAGE_2.HTM\r\nnot a page\r\n");
  for (const char* page : {"page_1.htm", "page_2.htm", "files_list.htm", "index.htm", "i_1.htm", "s_1.htm"})
    write_file(page, std::string("content of ") + page);
  write_file("f_promote.htm", "promotional page");
  write_file("wrd_01.txt", "words");
  write_file("pages.list", "list");
  write_file("keep.dat", "not ours");
  write_file("txt_in/a.txt", "text");
  write_file("htm_out/old.htm", "old result");
  write_file("htm_in/page_1.htm", "x");
  write_file("htm_ndx/htm_in/page_1.htm", "x");
  write_file("htm_wrk/a.htm", "x");
  write_file("txt_wrk/a.txt", "x");
  write_file("wrd_24/wrd_24_1.txt", "x");
  // The third closing command copies site_name\htm_out into htm_ot.
  write_file("www.example.com/htm_out/r.htm", "r");
  fs::create_directory("htm_ot");
  captured_console console;
  finish_output();
  std::string shown = console.text();
  EXPECT_TRUE(shown.starts_with("processed 100%\n")) << shown;
  EXPECT_EQ(names_in("htm_out"),
            (names{"files_list.htm", "i_1.htm", "index.htm", "page_1.htm", "page_2.htm", "s_1.htm"}));
  EXPECT_EQ(read_file("htm_out/page_2.htm"), "content of page_2.htm");
  EXPECT_EQ(read_file("htm_ot/r.htm"), "r");
  // The listing the tree removals write after the text files are deleted goes
  // too.
  EXPECT_EQ(names_in("."), (names{"htm_ot/", "htm_out/", "keep.dat", "txt_in/", "www.example.com/"}));
  EXPECT_EQ(read_file("txt_in/a.txt"), "text");
}

}  // namespace
}  // namespace docbase
