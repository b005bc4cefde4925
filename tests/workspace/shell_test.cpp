#include "workspace/shell.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"
#include "workspace/shell_copy.h"

namespace docbase {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::write_file;

struct shell_result {
  std::string out;
  std::string err;
};

shell_result shell(std::string_view line, copy_method method = copy_method::bytes) {
  std::ostringstream out, err;
  if (method == copy_method::bytes)
    run_shell(line, out, err);
  else
    run_shell(line, out, err, method);
  return {out.str(), err.str()};
}

bool exists(const fs::path& path) { return fs::exists(fs::symlink_status(path)); }

class shell_test : public testing::temp_folder_test {};

// Each case: files to make first (a name ending in '/' is a folder), one
// command line, then the bytes expected in files afterwards ("" with absent
// for a file that must not exist), on the console and on the error stream.
struct file_bytes {
  std::string name;
  std::string bytes;
  bool absent = false;
};

struct shell_case {
  std::vector<file_bytes> before;
  std::string line;
  std::vector<file_bytes> after;
  std::string out;
  std::string err;
};

void run_cases(const std::vector<shell_case>& cases, copy_method method = copy_method::bytes) {
  for (const shell_case& c : cases) {
    SCOPED_TRACE(c.line);
    for (const fs::path& entry : fs::directory_iterator(".")) fs::remove_all(entry);
    for (const file_bytes& file : c.before) {
      if (file.name.ends_with('/'))
        fs::create_directories(file.name);
      else
        write_file(file.name, file.bytes);
    }
    shell_result result = shell(c.line, method);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    for (const file_bytes& file : c.after) {
      SCOPED_TRACE(file.name);
      if (file.absent) {
        EXPECT_FALSE(exists(file.name));
      } else {
        EXPECT_TRUE(exists(file.name));
        if (!file.name.ends_with('/')) {
          EXPECT_EQ(read_file(file.name), file.bytes);
        }
      }
    }
  }
}

TEST_F(shell_test, simple_commands_write_their_output) {
  run_cases({
      {{}, "chcp", {}, "Active code page: 65001\n", ""},
      {{}, "cmd /c chcp > cp.txt", {{"cp.txt", "Active code page: 65001\r\n"}}, "", ""},
      {{{"x.txt", "old"}}, "chcp >> x.txt", {{"x.txt", "oldActive code page: 65001\r\n"}}, "", ""},
      {{}, "CMD /C chcp", {}, "Active code page: 65001\n", ""},
      {{}, "xyz /q", {}, "",
       "'xyz' is not recognized as an internal or external command, operable program or batch file.\n"},
      {{}, "", {}, "", ""},
      {{}, "cmd /c", {}, "", ""},
  });
}

TEST_F(shell_test, cd_writes_the_current_folder_and_refuses_to_leave_it) {
  shell_result result = shell("cd > key.select.txt");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(read_file("key.select.txt"), fs::current_path().string() + "\r\n");
  EXPECT_EQ(shell("cd").out, fs::current_path().string() + "\n");

  fs::create_directory("sub");
  EXPECT_EQ(shell("cd ..").err, "Access is denied.\n");
  EXPECT_EQ(shell("cd sub").err, "");
  EXPECT_EQ(shell("cd nowhere").err, "The system cannot find the path specified.\n");
  // Each line is a fresh interpreter: the folder stays where it was.
  EXPECT_EQ(shell("cd").out, fs::current_path().string() + "\n");
  EXPECT_EQ(fs::current_path(), fs::canonical(folder()));
}

TEST_F(shell_test, redirections) {
  run_cases({
      // Two single redirections: the first file is created empty, the output goes to the last.
      {{{"htm_out/x", ""}},
       "dir /b htm_out > htm_out\\f_01.txt > out_null.list",
       {{"htm_out/f_01.txt", ""}, {"out_null.list", "f_01.txt\r\nx\r\n"}},
       "",
       ""},
      {{}, "dir > htm_out\\f_01.txt", {{"htm_out/", "", true}}, "", "The system cannot find the path specified.\n"},
      {{{"x.txt", "keep"}}, "del /q x.txt > nowhere\\out.txt", {{"x.txt", "keep"}}, "",
       "The system cannot find the path specified.\n"},
      {{{"x.txt", "keep"}}, "del /q x.txt > ..\\out.txt", {{"x.txt", "keep"}}, "", "Access is denied.\n"},
      {{{"x.txt", "keep"}}, "del /q x.txt >", {{"x.txt", "keep"}}, "", "The syntax of the command is incorrect.\n"},
      {{{"x.txt", "keep"}}, "del /q x.txt & del y", {{"x.txt", "keep"}}, "",
       "The syntax of the command is incorrect.\n"},
      {{{"a.txt", "a"}}, "dir /b>o.txt", {{"o.txt", "a.txt\r\no.txt\r\n"}}, "", ""},
      // A file written anew holds only the new bytes, however long it was.
      {{{"o.txt", std::string(10000, 'x')}}, "chcp > o.txt", {{"o.txt", "Active code page: 65001\r\n"}}, "", ""},
      {{{"f.txt", "old"}, {"o.txt", "old"}}, "chcp > f.txt > o.txt",
       {{"f.txt", ""}, {"o.txt", "Active code page: 65001\r\n"}}, "", ""},
  });
}

TEST_F(shell_test, dir_bare_lists_matching_names_in_folded_order) {
  std::vector<file_bytes> folder = {
      {"b.txt", ""}, {"A.txt", ""}, {"a.TXT", ""}, {"c.htm", ""}, {"c.html", ""},
      {"noext", ""}, {"htm_in/", ""}, {"Txt_Wrk/", ""}, {"x.txt.bak", ""}, {"\xC3\xA9.txt", ""}, {"_u.txt", ""},
  };
  run_cases({
      // '_' (0x5F) comes before the folded letters.
      {folder, "dir /b *.txt", {}, "_u.txt\nA.txt\na.TXT\nb.txt\n\xC3\xA9.txt\n", ""},
      {folder, "dir /b *.", {}, "htm_in\nnoext\nTxt_Wrk\n", ""},
      {folder, "dir /b *.htm*", {}, "c.htm\nc.html\n", ""},
      {folder, "dir /b ?.htm", {}, "c.htm\n", ""},
      {folder, "dir /b  *.TXT > l.txt", {{"l.txt", "_u.txt\r\nA.txt\r\na.TXT\r\nb.txt\r\nl.txt\r\n\xC3\xA9.txt\r\n"}},
       "", ""},
      {folder, "dir /b *.zip", {}, "", "File Not Found\n"},
      {folder, "dir /b nowhere\\*.txt", {}, "", "The system cannot find the path specified.\n"},
      {{{"txt_in/one.txt", ""}, {"txt_in/Two.TXT", ""}, {"txt_in/three.doc", ""}},
       "dir /b txt_in\\*.txt  > txt_file.list",
       {{"txt_file.list", "one.txt\r\nTwo.TXT\r\n"}},
       "",
       ""},
      {{{"TXT_IN/one.txt", ""}}, "dir /b  txt_in\\*.txt > txt_file.txt", {{"txt_file.txt", "one.txt\r\n"}}, "", ""},
      {{{"htm_in/a.htm", ""}}, "dir /b htm_in", {}, "a.htm\n", ""},
      {{{"a", ""}, {"b.c", ""}}, "dir /b *.*", {}, "a\nb.c\n", ""},
      {{{"a", ""}, {"a.b", ""}, {"ab", ""}}, "dir /b a.*", {}, "a\na.b\n", ""},
  });
}

TEST_F(shell_test, dir_bare_recursive_writes_paths_relative_to_the_current_folder) {
  run_cases({
      {{{"htm_in/page_01.htm", ""}, {"htm_in/B/x.txt", ""}, {"htm_in/a.txt", ""}},
       "dir /b /s htm_in\\*.* > dir_01.txt",
       {{"dir_01.txt", "htm_in\\a.txt\r\nhtm_in\\B\r\nhtm_in\\page_01.htm\r\nhtm_in\\B\\x.txt\r\n"}},
       "",
       ""},
      {{{"htm_ndx/htm_in/p.htm", ""}},
       "dir /b /s HTM_NDX\\*.*",
       {},
       "HTM_NDX\\htm_in\nHTM_NDX\\htm_in\\p.htm\n",
       ""},
      {{{"wrd_24/", ""}}, "dir /b /s wrd_24\\*.* > dir_01.txt", {{"dir_01.txt", ""}}, "", "File Not Found\n"},
      {{{"a.txt", ""}, {"s/b.txt", ""}, {"s/c.htm", ""}}, "dir /s /b *.txt", {}, "a.txt\ns\\b.txt\n", ""},
  });
}

TEST_F(shell_test, dir_long_form_names_every_entry_without_the_full_path) {
  write_file("htm_in/a.htm", "");
  write_file("prog.exe", "12345");
  write_file("notes.txt", "");
  shell("dir > check_01.txt");
  std::string listing = read_file("check_01.txt");
  EXPECT_NE(listing.find(" htm_in\r\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find(" prog.exe\r\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find(" check_01.txt\r\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("<DIR>"), std::string::npos);
  EXPECT_NE(listing.find("5 bytes"), std::string::npos) << listing;
  EXPECT_EQ(listing.find(folder().filename().string()), std::string::npos) << listing;
  EXPECT_EQ(listing.find("a.htm"), std::string::npos);

  shell("dir *. > dir_cur.txt");
  std::string folders = read_file("dir_cur.txt");
  EXPECT_NE(folders.find("htm_in"), std::string::npos);
  EXPECT_EQ(folders.find("prog.exe"), std::string::npos);
  EXPECT_EQ(folders.find("notes"), std::string::npos);

  // Never empty, not even for an empty folder.
  fs::create_directory("empty");
  shell_result empty = shell("dir empty");
  EXPECT_FALSE(empty.out.empty());
  EXPECT_EQ(empty.err, "");
}

// Linked and moved copies print and leave under the target names what a copy
// of the bytes does.
TEST_F(shell_test, copy) {
  const std::vector<shell_case> cases = {
      {{{"htm_wrk/a.htm", "A"}, {"htm_wrk/b.htm", "B"}, {"htm_wrk/c.txt", "C"}, {"htm_in/", ""}},
       "copy /y htm_wrk\\*.htm htm_in\\ > out_null.list",
       {{"htm_in/a.htm", "A"}, {"htm_in/b.htm", "B"}, {"htm_in/c.txt", "", true},
        {"out_null.list", "htm_wrk\\a.htm\r\nhtm_wrk\\b.htm\r\n        2 file(s) copied.\r\n"}},
       "",
       ""},
      {{{"f_promote.htm", "P"}, {"htm_in/F_PROMOTE.HTM", "old"}},
       "copy /y f_promote.htm htm_in\\f_promote.htm",
       {{"htm_in/F_PROMOTE.HTM", "P"}, {"htm_in/f_promote.htm", "", true}},
       "        1 file(s) copied.\n",
       ""},
      {{{"page_02_02.htm", "new"}, {"page_02.htm", "a longer old page"}},
       "copy page_02_02.htm page_02.htm > out_null.list",
       {{"page_02.htm", "new"}, {"out_null.list", "        1 file(s) copied.\r\n"}},
       "",
       ""},
      {{{"wrd_24/wrd_24_1.txt", "1"}, {"wrd_24/wrd_24_2.txt", "2"}, {"wrd_24_1.txt", "x"}},
       "copy wrd_24\\*.txt > out_null.list",
       {{"wrd_24_1.txt", "1"}, {"wrd_24_2.txt", "2"}},
       "",
       ""},
      {{{"index.htm", "I"}, {"htm_out/", ""}}, "copy index.htm htm_out\\", {{"htm_out/index.htm", "I"}},
       "        1 file(s) copied.\n", ""},
      {{{"index.htm", "I"}, {"htm_out/", ""}}, "copy INDEX.HTM htm_out", {{"htm_out/index.htm", "I"}},
       "        1 file(s) copied.\n", ""},
      {{{"i_1.htm", "1"}}, "copy i_*.htm htm_out\\", {{"htm_out/", "", true}}, "        0 file(s) copied.\n",
       "The system cannot find the path specified.\n"},
      {{}, "copy s_*.htm x\\", {}, "        0 file(s) copied.\n", "The system cannot find the file specified.\n"},
      {{{"a.txt", "A"}}, "copy a.txt A.TXT", {{"a.txt", "A"}}, "        0 file(s) copied.\n",
       "The file cannot be copied onto itself.\n"},
      {{{"a.txt", "A"}}, "copy a.txt ..\\a.txt", {}, "", "Access is denied.\n"},
      {{{"a.txt", "A"}, {"b.txt", "B"}}, "copy *.txt all.dat", {{"all.dat", "AB"}},
       "a.txt\nb.txt\n        1 file(s) copied.\n", ""},
  };
  for (copy_method method : {copy_method::bytes, copy_method::links, copy_method::moves}) {
    SCOPED_TRACE(static_cast<int>(method));
    run_cases(cases, method);
  }
}

bool one_file(const fs::path& a, const fs::path& b) { return fs::equivalent(a, b); }

TEST_F(shell_test, linked_copies_are_names_of_their_sources_and_count_as_copies_again) {
  write_file("page_01.htm", "page");
  write_file("page_01_01.htm", "older backup");
  fs::create_directory("wrd_24");
  write_file("wrd_24_1.txt", "words");
  EXPECT_EQ(shell("copy page_01.htm page_01_01.htm", copy_method::links).out, "        1 file(s) copied.\n");
  EXPECT_TRUE(one_file("page_01.htm", "page_01_01.htm"));
  // Once more onto the same file: copied, not "onto itself".
  shell_result again = shell("copy page_01.htm page_01_01.htm", copy_method::links);
  EXPECT_EQ(again.out, "        1 file(s) copied.\n");
  EXPECT_EQ(again.err, "");
  EXPECT_EQ(shell("copy wrd_24*.txt wrd_24\\", copy_method::links).out, "wrd_24_1.txt\n        1 file(s) copied.\n");
  EXPECT_EQ(shell("copy wrd_24\\*.txt", copy_method::links).out, "wrd_24\\wrd_24_1.txt\n        1 file(s) copied.\n");
  EXPECT_TRUE(one_file("wrd_24_1.txt", "wrd_24/wrd_24_1.txt"));
  EXPECT_EQ(shell("copy page_01.htm page_01.htm", copy_method::links).err, "The file cannot be copied onto itself.\n");
}

TEST_F(shell_test, moved_copies_take_the_source_away_and_keep_the_target_name) {
  write_file("page_01_02.htm", "new page");
  write_file("Page_01.htm", "old page");
  write_file("page_01_01.htm", "old page");
  fs::remove("page_01_01.htm");
  fs::create_hard_link("Page_01.htm", "page_01_01.htm");
  EXPECT_EQ(shell("copy page_01_02.htm page_01.htm > out_null.list", copy_method::moves).err, "");
  EXPECT_EQ(read_file("out_null.list"), "        1 file(s) copied.\r\n");
  EXPECT_FALSE(exists("page_01_02.htm"));
  EXPECT_FALSE(exists("page_01.htm"));
  EXPECT_EQ(read_file("Page_01.htm"), "new page");
  // The other name of the replaced file keeps the old bytes.
  EXPECT_EQ(read_file("page_01_01.htm"), "old page");
}

TEST_F(shell_test, del) {
  run_cases({
      {{{"htm_out/f_01.txt", "x"}, {"htm_out/a.htm", "a"}, {"htm_out/sub/", ""}, {"keep.htm", "k"}},
       "del /q htm_out\\*.*",
       {{"htm_out/f_01.txt", "", true}, {"htm_out/a.htm", "", true}, {"htm_out/sub/", ""}, {"keep.htm", "k"}},
       "",
       ""},
      {{{"a.htm", ""}, {"b.HTML", ""}, {"c.txt", "c"}}, "del /q *.htm*",
       {{"a.htm", "", true}, {"b.HTML", "", true}, {"c.txt", "c"}}, "", ""},
      {{{"file_s_1.txt", ""}}, "del /q FILE_S_1.TXT > out_null.list", {{"file_s_1.txt", "", true}}, "", ""},
      {{}, "del /q x.txt", {}, "", "Could Not Find x.txt\n"},
      {{}, "del /q htm_in\\*.* > out_null.list", {{"out_null.list", ""}}, "",
       "The system cannot find the path specified.\n"},
      {{{"htm_in/a.htm", ""}, {"htm_in/b/", ""}}, "del /q htm_in", {{"htm_in/a.htm", "", true}, {"htm_in/b/", ""}},
       "", ""},
      {{{"a.txt", "a"}}, "del /q ..\\*.txt", {{"a.txt", "a"}}, "", "Access is denied.\n"},
      {{{"a.txt", "a"}}, "del /q a.txt /z", {{"a.txt", "a"}}, "", "Invalid switch - /z\n"},
  });
}

TEST_F(shell_test, md_and_rd) {
  run_cases({
      {{}, "md htm_in > out_null.list", {{"htm_in/", ""}, {"out_null.list", ""}}, "", ""},
      {{}, "md htm_ndx\\htm_in", {{"htm_ndx/htm_in/", ""}}, "", ""},
      {{{"HTM_IN/", ""}}, "md htm_in", {{"htm_in/", "", true}}, "", "A subdirectory or file htm_in already exists.\n"},
      {{}, "md ..\\x", {}, "", "Access is denied.\n"},
      {{}, "md C:\\x", {}, "", "Access is denied.\n"},
      {{{"htm_in/", ""}}, "rd HTM_IN > out_null.list", {{"htm_in/", "", true}}, "", ""},
      {{{"htm_in/a", ""}}, "rd htm_in", {{"htm_in/a", ""}}, "", "The directory is not empty.\n"},
      {{}, "rd htm_in", {}, "", "The system cannot find the file specified.\n"},
      {{{"f", ""}}, "rd f", {{"f", ""}}, "", "The directory name is invalid.\n"},
      {{{"x/", ""}}, "rd .", {{"x/", ""}}, "",
       "The process cannot access the file because it is being used by another process.\n"},
  });
}

TEST_F(shell_test, rename_within_its_folder) {
  run_cases({
      {{{"txt_wrk/my notes.txt", "n"}}, "rename \"txt_wrk\\my notes.txt\" my_notes.txt",
       {{"txt_wrk/my_notes.txt", "n"}, {"txt_wrk/my notes.txt", "", true}}, "", ""},
      {{{"txt_wrk/a b.txt", "1"}, {"txt_wrk/A_B.txt", "2"}}, "rename \"txt_wrk\\a b.txt\" a_b.txt",
       {{"txt_wrk/a b.txt", "1"}, {"txt_wrk/A_B.txt", "2"}}, "",
       "A duplicate file name exists, or the file cannot be found.\n"},
      {{{"txt_wrk/Page.txt", "p"}}, "rename \"txt_wrk\\page.txt\" file_page.txt", {{"txt_wrk/file_page.txt", "p"}},
       "", ""},
      {{{"txt_wrk/", ""}}, "rename \"txt_wrk\\none.txt\" x.txt", {}, "",
       "The system cannot find the file specified.\n"},
      {{{"txt_wrk/a.txt", "a"}}, "rename \"txt_wrk\\a.txt\" ..\\a.txt", {{"txt_wrk/a.txt", "a"}}, "",
       "The syntax of the command is incorrect.\n"},
  });
}

TEST_F(shell_test, for_deletes_each_matching_file) {
  run_cases({
      {{{"check_01.txt", ""}, {"check_02.txt", ""}, {"out_null.txt", "o"}, {"Check_x.TXT", ""}},
       "cmd /c for %i in (check_*.txt) do del /q %i >> out_null.txt",
       {{"check_01.txt", "", true}, {"check_02.txt", "", true}, {"Check_x.TXT", "", true}, {"out_null.txt", "o"}},
       "",
       ""},
      {{{"out_null.txt", ""}}, "for %i in (check_*.txt) do del /q %i >> out_null.txt", {{"out_null.txt", ""}}, "",
       ""},
  });
}

TEST_F(shell_test, find_and_findstr) {
  std::vector<file_bytes> listing = {{"check_01.txt", " Directory of .\r\n\r\nx  WWW.EXAMPLE.COM.EXE\r\ny  notes.txt\r\nz  a.exe\r\n"}};
  run_cases({
      {listing, "cmd /c find /i \".exe\" check_01.txt >  check_02.txt",
       {{"check_02.txt", "\r\n---------- CHECK_01.TXT\r\nx  WWW.EXAMPLE.COM.EXE\r\nz  a.exe\r\n"}}, "", ""},
      {listing, "find \".exe\" check_01.txt", {}, "\n---------- CHECK_01.TXT\nz  a.exe\n", ""},
      {listing, "find /c \".exe\" check_01.txt", {}, "\n---------- CHECK_01.TXT: 1\n", ""},
      {listing, "find /c /i \".EXE\" check_01.txt > n.txt", {{"n.txt", "\r\n---------- CHECK_01.TXT: 2\r\n"}}, "",
       ""},
      {listing, "find /c \"zzz\" check_01.txt", {}, "\n---------- CHECK_01.TXT: 0\n", ""},
      {{}, "find /c \"x\" wrd_11_1.txt > c.txt", {{"c.txt", ""}}, "", "File not found - WRD_11_1.TXT\n"},
      {listing, "find .exe check_01.txt", {}, "", "FIND: Parameter format not correct\n"},
      {listing, "cmd /c findstr /i \".exe\" check_01.txt > check_02.txt",
       {{"check_02.txt", "x  WWW.EXAMPLE.COM.EXE\r\nz  a.exe\r\n"}}, "", ""},
      {listing, "findstr \".exe\" check_01.txt", {}, "z  a.exe\n", ""},
      // Several words: a line with any of them. The dot is plain text.
      {listing, "findstr \"notes a.exe\" check_01.txt", {}, "y  notes.txt\nz  a.exe\n", ""},
      {listing, "findstr \"x.exe\" check_01.txt", {}, "", ""},
      {{{"wrd_03.txt", "\"p\",\"1\",\"id00000123\"\r\n\"p\",\"2\",\"id00000124\"\r\n\"q\",\"3\",\"id00000123\"\n"}},
       "findstr \"id00000123\" wrd_03.txt > id00000123.txt",
       {{"id00000123.txt", "\"p\",\"1\",\"id00000123\"\r\n\"q\",\"3\",\"id00000123\"\r\n"}}, "", ""},
      {{}, "findstr \"x\" none.txt", {}, "", "FINDSTR: Cannot open none.txt\n"},
  });
}

TEST_F(shell_test, names_match_without_regard_to_case_and_keep_their_own) {
  run_cases({
      {{{"Htm_In/Page_01.HTM", "p"}}, "copy HTM_IN\\page_01.htm x.htm", {{"x.htm", "p"}}, "        1 file(s) copied.\n",
       ""},
      {{{"Htm_In/Page_01.HTM", "p"}, {"X.HTM", "old"}}, "copy htm_in\\*.htm x.htm",
       {{"X.HTM", "p"}, {"x.htm", "", true}}, "htm_in\\Page_01.HTM\n        1 file(s) copied.\n", ""},
      {{{"Htm_In/Page_01.HTM", "p"}}, "del /q htm_in\\PAGE_01.htm", {{"Htm_In/Page_01.HTM", "", true}}, "", ""},
      {{{"Htm_In/", ""}}, "copy nothing htm_in\\", {}, "        0 file(s) copied.\n",
       "The system cannot find the file specified.\n"},
      {{{"Txt_In/A.TXT", "a"}, {"txt_wrk/", ""}}, "copy txt_in\\*.txt txt_wrk\\ > out_null.list",
       {{"txt_wrk/A.TXT", "a"}}, "", ""},
      {{{"Wrd_24/", ""}}, "md wrd_24", {}, "", "A subdirectory or file wrd_24 already exists.\n"},
  });
}

// Entries whose names no command line could address (here one made to look
// like a path out of the folder) are never listed, matched or acted on.
TEST_F(shell_test, unaddressable_names_are_left_alone) {
  fs::create_directories("inner/sub");
  write_file("outside.txt", "outside");
  write_file("inner/sub/x.txt", "x");
  write_file("inner/sub/..\\..\\outside.txt", "evil");
  write_file("inner/sub/a\"b.txt", "quote");
  write_file("inner/sub/c\nd.txt", "newline");
  fs::create_directory("dest");

  EXPECT_EQ(shell("dir /b inner\\sub\\*.txt").out, "x.txt\n");
  EXPECT_EQ(shell("dir /b /s inner\\*.*").out, "inner\\sub\ninner\\sub\\x.txt\n");
  std::string listing = shell("dir inner\\sub").out;
  EXPECT_EQ(listing.find("outside"), std::string::npos);

  shell_result copied = shell("copy inner\\sub\\*.txt dest\\");
  EXPECT_EQ(copied.out, "inner\\sub\\x.txt\n        1 file(s) copied.\n");
  EXPECT_EQ(copied.err,
            "inner\\sub\\..\\..\\outside.txt cannot be copied: its name holds characters that no command can use\n"
            "inner\\sub\\a\"b.txt cannot be copied: its name holds characters that no command can use\n"
            "inner\\sub\\c?d.txt cannot be copied: its name holds characters that no command can use\n");
  EXPECT_EQ(read_file("dest/x.txt"), "x");
  EXPECT_EQ(std::distance(fs::directory_iterator("dest"), fs::directory_iterator()), 1);

  EXPECT_EQ(shell("copy inner\\sub\\..\\..\\outside.txt dest\\").err, "Access is denied.\n");
  EXPECT_EQ(shell("rename \"inner\\sub\\x.txt\" ..\\..\\outside.txt").err,
            "The syntax of the command is incorrect.\n");
  EXPECT_EQ(shell("del /q inner\\sub\\*.*").err, "");
  EXPECT_EQ(shell("for %i in (inner\\sub\\*.txt) do del /q %i").err, "");
  EXPECT_EQ(shell("rd inner\\sub").err, "The directory is not empty.\n");

  EXPECT_EQ(read_file("outside.txt"), "outside");
  EXPECT_EQ(read_file("inner/sub/..\\..\\outside.txt"), "evil");
  EXPECT_EQ(read_file("inner/sub/a\"b.txt"), "quote");
  EXPECT_FALSE(exists("inner/sub/x.txt"));
}

TEST_F(shell_test, paths_outside_the_folder_are_refused) {
  fs::create_directory("inner");
  write_file("inner/a.txt", "a");
  fs::current_path("inner");
  const char* lines[] = {
      "dir ..",           "dir /b ..\\*.*",  "dir /b /s /tmp",     "copy a.txt ..\\",   "copy ..\\*.txt",
      "copy a.txt C:b.txt", "del /q ..\\*.*", "del /q /etc/x",      "md ..\\new",        "rd ..\\inner",
      "rename \"..\\inner\\a.txt\" b.txt", "sort a.txt /o ..\\s.txt", "sort ..\\x.txt",
      "find /c \"a\" ..\\a.txt", "findstr \"a\" \\a.txt", "dir > ..\\out.txt", "chcp >> /tmp/x.txt",
      "for %i in (..\\*.*) do del /q %i", "cd C:\\",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    shell_result result = shell(line);
    // A slash starts a switch, so "/etc/x" is refused as one.
    EXPECT_TRUE(result.err == "Access is denied.\n" || result.err.starts_with("Invalid switch")) << result.err;
  }
  fs::current_path("..");
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(".")) names.push_back(entry.path().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"./inner", "./inner/a.txt"}));
}

TEST_F(shell_test, links_to_folders_are_not_followed_by_del_or_dir_s) {
  write_file("target/keep.txt", "k");
  fs::create_directory("folder");
  fs::create_directory_symlink("../target", "folder/link");
  EXPECT_EQ(shell("dir /b /s folder\\*.*").out, "folder\\link\n");
  EXPECT_EQ(shell("del /q folder\\link").err, "");
  EXPECT_FALSE(exists("folder/link"));
  EXPECT_EQ(read_file("target/keep.txt"), "k");
}

}  // namespace
}  // namespace docbase
