// Whole runs of the built program with keys on standard input: the screens of
// a run, the road through the results screen, and every exit it can reach.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace docbase::testing {
namespace {

namespace fs = std::filesystem;

class run_e2e_test : public temp_folder_test {
 protected:
  void SetUp() override {
    temp_folder_test::SetUp();
    if (std::string(DOCBASE_PROGRAM_NAME) != "www.example.com.cpp")
      GTEST_SKIP() << "the expected screens are those of the default program name";
  }

  void write_texts() {
    write_file("txt_in/alpha.txt", "First text with some words.\nA second line.\n");
    write_file("txt_in/beta.txt", "Caf\xc3\xa9 na\xc3\xafve words\n\n    indented line\n");
  }

  // The names in the test folder, sub-folders ending in "/".
  std::vector<std::string> names_here() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder()))
      names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string program_path() const { return (folder() / program_executable().filename()).string(); }
};

using names = std::vector<std::string>;

std::map<std::string, std::string> files_in(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) files[entry.path().filename().string()] = read_file(entry);
  return files;
}

// The first lines of every run: the interpreter's code page line, the program
// name, the start path and the program's site.
std::string start_lines(const std::string& start_path) {
  return "Active code page: 65001\n"
         "www.example.com.cpp\n"
         "\n" +
         start_path +
         "\n"
         "www.example.com\n"
         "\n";
}

const std::string terms_of_use =
    "====================================\n"
    "\n"
    "THE PROGRAM INDEXES A GROUP OF TXT FILES ON EACH WORD AND CREATES A DOCUMENT BASE\n"
    "\n"
    "Program name:www.example.com.exe\n"
    "Terms of use:\n"
    "The program is provided as it is, without warranty of any kind.\n"
    "The maker is not liable for any damage or loss of data that its use may cause.\n"
    "\n"
    "You may use the program and the document bases it creates for any lawful purpose.\n"
    "You may pass the program on only unchanged and free of charge.\n"
    "- do not sell, rent or modify the program;\n"
    "- do not remove or change these terms of use.\n"
    "\n"
    "\n"
    "====================================\n"
    "Do you accept the terms of use?\n"
    "\n"
    "<1> yes, continue\n"
    "<2> no, end\n";

const std::string font_advice =
    "\n"
    "----------------------------\n"
    "FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION WINDOW.\n"
    "Setting procedure (necessary for correct printing):\n"
    "- move the mouse to the center of the upper bold edge of the execution window;\n"
    "- right mouse click;\n"
    "- select Properties from the drop-down menu;\n"
    "- select the Font tab;\n"
    "- this tab includes the Consolas or Lucida Console font.\n"
    "\n"
    "In the Layout tab, select the size of the execution window.\n"
    "Selected settings work when the program is restarted.\n"
    "----------------------------\n"
    "\n"
    "<1> continue\n"
    "<2> end\n";

const std::string installation_advice =
    "\n"
    "----------------------------\n"
    "THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.\n"
    "During execution, the program creates and also deletes most *.txt and other files.\n"
    "\n"
    "The TXT files you want to index must be written in UTF-8 format and copied to the TXT_IN subfolder.\n"
    "The TXT file names must not contain spaces or special characters (ASCII only).\n"
    "----------------------------\n"
    "\n"
    "<1> continue\n"
    "<2> end\n";

const std::string probes =
    "---------------------------\n"
    "Checking the accessibility of some urgently needed programs:\n"
    "cmd.exe, find.exe, findstr.exe, sort.exe\n"
    "cmd\n"
    "find\n"
    "findstr\n"
    "sort\n";

const std::string target_prompt =
    "\n"
    "-----------------------\n"
    "\n"
    "The program enables targeted search.\n"
    "Google search phrases will be targeted to a specific web address.\n"
    "If the destination web address is not specified, Google search will run all over the web.\n"
    "\n"
    "web address for destination search (example: www.example.com) = ? \n";

const std::string progress_lines =
    "processed 1%\n"
    "processed 10%\n"
    "processed 20%\n"
    "processed 30%\n"
    "processed 40%\n"
    "processed 50%\n"
    "processed 60%\n"
    "processed 70%\n"
    "processed 80%\n"
    "processed 90%\n"
    "processed 100%\n";

const std::string results_screen =
    "\n"
    "============ INDEXING RESULTS ===========\n"
    "\n"
    "Indexing is done.\n"
    "\n"
    "view subfolder: \\htm_out\n"
    "view files: page*.htm, index*.htm, i_*.htm, s_*.htm\n"
    "You can access the index of all words by double-clicking on any word.\n"
    "details: https://www.example.net\n"
    "\n"
    "<...> any key to continue and end\n";

TEST_F(run_e2e_test, empty_txt_in_ends_after_the_probes_on_1) {
  fs::create_directory("txt_in");
  program_result result = run_program(folder(), "1111");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, start_lines(program_path()) + terms_of_use + font_advice + installation_advice + probes +
                            "\n"
                            "----------------------------\n"
                            "Subfolder txt_in is empty\n"
                            "\n"
                            "<1> = continue and end\n");
  // htm_out does not exist yet: the interpreter's complaints go to the error
  // stream, never into the screens.
  EXPECT_NE(result.err.find("The system cannot find the path specified."), std::string::npos) << result.err;
  // What the run made so far stays: the answer files of the prompts, the probe
  // files and the listing of txt_in; no working folder was made yet.
  EXPECT_EQ(names_here(), (names{"check_01.txt", "check_02.txt", "key.select.txt", "out_null.txt", "txt_file.txt",
                                 "txt_in/", "www.example.com.exe"}));
}

TEST_F(run_e2e_test, whole_run_through_the_results_screen) {
  write_texts();
  std::map<std::string, std::string> texts = files_in("txt_in");
  program_result result = run_program(folder(), "1111  www.Example.org , x\n1");
  EXPECT_EQ(result.status, 0);

  // The screens up to the page listing, exactly.
  const std::string start = start_lines(program_path()) + terms_of_use + font_advice + installation_advice + probes;
  ASSERT_TRUE(result.out.starts_with(start)) << result.out;
  // After the page listing, its prompt and a blank line: the start path, the
  // target prompt, the parameters overview.
  const std::string after_listing = "<1> continue\n<2> end\n\n" + program_path() + "\n" + target_prompt +
                                    "\n====== OVERVIEW/SELECT PARAMETERS ======\n\n 1 ";
  std::size_t listing_end = result.out.find(after_listing, start.size());
  ASSERT_NE(listing_end, std::string::npos) << result.out;
  // The overview ends with row 34; the page list stage prints a blank line
  // before the progress lines; the third closing command finds nothing to
  // copy and says so; the results screen ends the run.
  const std::string end = " 34           no" + std::string(26, ' ') + "   \n\n" + progress_lines +
                          "        0 file(s) copied.\n" + results_screen;
  EXPECT_TRUE(result.out.ends_with(end)) << result.out.substr(listing_end);

  // The md of htm_in after the target prompt and the closing md of htm_out
  // meet existing folders.
  EXPECT_NE(result.err.find("A subdirectory or file htm_in already exists."), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("A subdirectory or file htm_out already exists."), std::string::npos) << result.err;

  // The document base stays, with everything else the run made removed.
  EXPECT_EQ(names_here(), (names{"htm_out/", "txt_in/", "www.example.com.exe"}));
  std::map<std::string, std::string> output = files_in("htm_out");
  for (const char* name : {"page_01.htm", "page_02.htm", "page_03.htm", "index.htm", "files_list.htm", "i_1.htm",
                           "s_1.htm"})
    EXPECT_EQ(output.count(name), 1u) << name;
  // The typed target site, blanks at its end kept, reaches the search links.
  EXPECT_NE(output["s_1.htm"].find("www.Example.org "), std::string::npos);
  EXPECT_EQ(files_in("txt_in"), texts);
}

TEST_F(run_e2e_test, answer_2_at_a_start_screen_ends_before_any_folder_is_touched) {
  write_texts();
  const std::string screens[] = {terms_of_use, font_advice, installation_advice};
  std::string keys = "2";
  std::string shown = start_lines(program_path());
  for (const std::string& screen : screens) {
    shown += screen;
    program_result result = run_program(folder(), keys);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, shown) << keys;
    EXPECT_EQ(names_here(), (names{"key.select.txt", "txt_in/", "www.example.com.exe"})) << keys;
    keys = "1" + keys;
  }
}

TEST_F(run_e2e_test, answer_2_after_the_page_listing_leaves_the_working_folders) {
  write_texts();
  program_result result = run_program(folder(), "1112");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.ends_with("number of files = 2\n\n<1> continue\n<2> end\n")) << result.out;
  for (const char* name : {"htm_in", "txt_wrk", "htm_wrk"}) EXPECT_TRUE(fs::is_directory(name)) << name;
  EXPECT_FALSE(fs::exists("htm_out"));

  // The next run clears what this one left and ends as a whole run does.
  result = run_program(folder(), "1111\n1");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.ends_with(results_screen));
  EXPECT_EQ(names_here(), (names{"htm_out/", "txt_in/", "www.example.com.exe"}));
}

TEST_F(run_e2e_test, keys_that_run_out_end_the_run_at_the_prompt_that_waits) {
  write_texts();
  program_result result = run_program(folder(), "");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, start_lines(program_path()) + terms_of_use);

  // Without a key for the results screen the run still ends there.
  result = run_program(folder(), "1111\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.ends_with(results_screen));
}

TEST_F(run_e2e_test, developer_folder_answers_every_choice_by_itself) {
  fs::path developer = folder() / "Qopra_Vemtuks.bym_zorfa_";
  write_file(developer / "txt_in" / "alpha.txt", "First text with some words.\n");
  program_result result = run_program(developer, "");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.ends_with(results_screen)) << result.out;
  EXPECT_TRUE(fs::is_directory(developer / "htm_out"));
}

TEST_F(run_e2e_test, started_from_a_folder_without_an_exe_name_the_find_probe_fails) {
  write_texts();
  program_result result = run_program(folder(), "1111", /*copy_executable=*/false);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, start_lines(program_executable().string()) + terms_of_use + font_advice +
                            installation_advice +
                            "---------------------------\n"
                            "Checking the accessibility of some urgently needed programs:\n"
                            "cmd.exe, find.exe, findstr.exe, sort.exe\n"
                            "cmd\n"
                            "find\n"
                            "---------------------\n"
                            "Checking for find.exe!\n"
                            "The system path to the program is most likely to be configured.\n"
                            "<1> = continue and end\n");
  EXPECT_FALSE(fs::exists("htm_in"));
}

}  // namespace
}  // namespace docbase::testing
