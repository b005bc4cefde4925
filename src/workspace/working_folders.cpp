#include "workspace/working_folders.h"

#include <unistd.h>

#include <filesystem>
#include <string>

#include "records/record_file.h"
#include "records/text.h"
#include "run/console.h"
#include "run/prompts.h"
#include "run/run_values.h"
#include "workspace/host_path.h"
#include "workspace/shell.h"
#include "workspace/shell_copy.h"

namespace docbase {

namespace fs = std::filesystem;

namespace {

enum class listing_form { bare, long_form };

// Whether the listing that command_line writes into listing has a line that
// holds folder_name, letters compared without regard to case. Lines of the
// long form lose their trailing blanks first.
bool folder_exists(std::string_view command_line, std::string_view listing, std::string_view folder_name,
                   listing_form form = listing_form::bare) {
  run_shell(command_line);
  record_file file;
  file.open_for_reading(listing);
  while (!file.at_end_of_file()) {
    std::string line = lower_ascii(file.read_line());
    std::string_view tested = form == listing_form::long_form ? trim_trailing_blanks(line) : std::string_view(line);
    if (contains(tested, folder_name)) return true;
  }
  return false;
}

// Deletes the file that path names below the current folder; a folder, a
// missing name or a path outside the current folder's tree is left alone.
void delete_file(std::string_view path) {
  auto host = host_path(path);
  if (host && ::unlink(host->c_str()) == 0) note_folder_changed(*host);
}

// Every line of the listing, lower-cased, deleted as a file: prefix, then the line.
void delete_listed(std::string_view listing, std::string_view prefix = {}) {
  record_file file;
  file.open_for_reading(listing);
  while (!file.at_end_of_file()) {
    std::string line = lower_ascii(file.read_line());
    if (!line.empty()) delete_file(std::string(prefix) + line);
  }
}

void delete_listed_files(std::string_view command_line) {
  run_shell(command_line);
  delete_listed("dir_01.txt");
}

// Deletes every file of the folder's tree, as its listing names them (each path
// starts at the folder listed), then removes the folder, which succeeds only
// when it is then empty.
void remove_folder_tree(std::string_view listing_command, std::string_view remove_command) {
  run_shell(listing_command);
  delete_listed("dir_01.txt");
  run_shell(remove_command);
}

long long count_lines(std::string_view path, std::string_view holding = {}) {
  record_file file;
  file.open_for_reading(path);
  long long count = 0;
  while (!file.at_end_of_file())
    if (contains(lower_ascii(file.read_line()), holding)) ++count;
  return count;
}

// trace\file_trace.txt, emptied when a folder trace exists and held open to
// the end of the run.
record_file& trace_file() {
  static record_file file;
  return file;
}

}  // namespace

void prepare_workspace() {
  run_shell("dir > htm_out\\f_01.txt");
  run_shell("del /q htm_out\\*.*");

  run_shell("dir /b  txt_in\\*.txt > txt_file.txt");
  if (count_lines("txt_file.txt", ".txt") == 0) {
    write_line();
    write_line("----------------------------");
    write_line("Subfolder txt_in is empty");
    write_line();
    confirm_end_prompt();
  }

  if (folder_exists("dir /b *. > dir_01.txt", "dir_01.txt", "htm_in")) {
    run_shell("dir > htm_in\\f_01.txt");
    run_shell("del /q htm_in\\*.* > out_null.list");
    run_shell("rd htm_in > out_null.list");
  }

  run_shell("md htm_in > out_null.list");
  if (!folder_exists("dir *. > dir_cur.txt", "dir_cur.txt", "htm_in", listing_form::long_form)) {
    write_line("--------------------------------");
    write_line("subfolder htm_in must be created");
    write_line();
    any_key_end_prompt();
  }

  write_line();
  run_shell("dir /b txt_in\\*.txt  > txt_file.list");
  the_run().input_file_count = count_lines("txt_file.list");
  if (the_run().input_file_count == 0) {
    write_line("------------------");
    write_line("missing txt_in subfolder");
    write_line();
    any_key_end_prompt();
  }

  if (folder_exists("dir /b *. > dir_cur.txt", "dir_cur.txt", "txt_wrk"))
    run_shell("del /q txt_wrk\\*.* > out_null.list");
  else
    run_shell("md txt_wrk > out_null.list");

  if (folder_exists("dir /b *. > dir_cur.txt", "dir_cur.txt", "htm_wrk"))
    run_shell("del /q htm_wrk\\*.* > out_null.list");
  else
    run_shell("md htm_wrk > out_null.list");

  if (!folder_exists("dir /b *. > dir_cur.txt", "dir_cur.txt", "txt_wrk")) {
    write_line("----------------------------");
    write_line("Subfolder txt_wrk must be created.");
    write_line();
    any_key_end_prompt();
  }
}

void refresh_working_folders() {
  // The pages are only read from here on: the copies in htm_in and its backup
  // are the same files under more names, freed once at the clean-up.
  run_shell("copy /y htm_wrk\\*.htm htm_in\\ > out_null.list", copy_method::links);

  run_shell("md htm_ndx > out_null.list");
  run_shell("md htm_ndx\\htm_in > out_null.list");
  run_shell("del /q htm_ndx\\htm_in\\*.* > out_null.list");
  run_shell("copy /y htm_in\\*.htm htm_ndx\\htm_in\\ > out_null.txt", copy_method::links);

  write_line(the_run().start_path);

  delete_listed_files("dir /b *.htm* > dir_01.txt");
  delete_listed_files("dir /b *.list > dir_01.txt");
  delete_listed_files("dir /b *.txt > dir_01.txt");

  run_shell("dir /b htm_out\\*.* > dir_01.txt");
  delete_listed("dir_01.txt", "htm_out\\");

  std::error_code error;
  auto trace = host_path("trace");
  if (trace && fs::is_directory(*trace, error)) trace_file().open_for_output("trace\\file_trace.txt");

  if (folder_exists("dir /b *. > dir_01.txt", "dir_01.txt", "htm_out")) {
    run_shell("dir > htm_out\\f_01.txt");
    run_shell("del /q htm_out\\*.* > out_null.list");
    run_shell("rd htm_out > out_null.list");
  }
}

void create_output_folders() {
  run_shell("md htm_in > out_null.list");
  run_shell("md htm_out > out_null.list");
  // htm_in was found when it was made before the conversion.
  if (!folder_exists("dir *. > dir_cur.txt", "dir_cur.txt", "htm_out", listing_form::long_form)) {
    write_line("------------------------------------------");
    write_line("subfolders htm_in, htm_out must be created");
    write_line();
    any_key_end_prompt();
  }
}

void finish_output() {
  if (!folder_exists("dir /b *. > dir_01.txt", "dir_01.txt", "htm_out")) run_shell("md htm_out > out_null.list");

  run_shell("dir > htm_out\\f_01.txt > out_null.list");
  run_shell("del /q htm_out\\*.* > out_null.list");

  record_file pages;
  pages.open_for_reading("dir_02.txt");
  while (!pages.at_end_of_file()) {
    std::string page = lower_ascii(pages.read_line());
    if (contains(page, ".htm"))
      run_shell("copy " + std::string(trim_blanks(page)) + " htm_out\\ > out_null.list", copy_method::links);
  }
  pages.close();

  // Nothing writes the results again: the copies in htm_out are the same
  // files, and deleting the names in the current folder frees nothing.
  run_shell("copy files_list.htm htm_out\\ > out_null.list", copy_method::links);
  run_shell("copy i_*.htm htm_out\\ > out_null.list", copy_method::links);
  run_shell("copy index.htm htm_out\\ > out_null.list", copy_method::links);
  run_shell("copy s_*.htm htm_out\\ > out_null.list", copy_method::links);

  run_shell("del /q *.htm*");
  run_shell("del /q *.list");
  delete_listed_files("dir /b *.txt > dir_01.txt");

  remove_folder_tree("dir /b /s htm_in\\*.* > dir_01.txt", "rd htm_in");
  remove_folder_tree("dir /b /s htm_ndx\\htm_in\\*.* > dir_01.txt", "rd htm_ndx\\htm_in");
  remove_folder_tree("dir /b /s htm_ndx\\*.* > dir_01.txt", "rd htm_ndx");
  remove_folder_tree("dir /b /s htm_wrk\\*.* > dir_01.txt", "rd htm_wrk");
  remove_folder_tree("dir /b /s txt_wrk\\*.* > dir_01.txt", "rd txt_wrk");
  remove_folder_tree("dir /b /s wrd_24\\*.* > dir_01.txt", "rd wrd_24");
  // The tree listings wrote dir_01.txt again after the text files were
  // deleted; a finished run leaves no working file behind.
  delete_file("dir_01.txt");

  write_line("processed 100%");

  // Issued as they stand; nothing depends on their effect.
  run_shell("cd ..");
  run_shell("md htm_out");
  run_shell("copy " + the_run().site_name + "\\htm_out\\*.* htm_ot\\");
}

}  // namespace docbase
