#include "run/driver.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "output/output_stages.h"
#include "pages/page_stages.h"
#include "records/record_stages.h"
#include "run/console.h"
#include "run/presentation_parameters.h"
#include "run/program_site.h"
#include "run/prompts.h"
#include "run/run_values.h"
#include "run/start_screens.h"
#include "run/target_site.h"
#include "run/tool_checks.h"
#include "workspace/shell.h"
#include "workspace/working_folders.h"

namespace docbase {

namespace {

// Runs one stage. With DOCBASE_TIMINGS set in the environment, its time goes
// to standard error as "timing <stage> <seconds>", for the benchmarks.
template <typename stage_function>
void stage(const char* name, stage_function&& body) {
  static const bool timed = std::getenv("DOCBASE_TIMINGS") != nullptr;
  if (!timed) {
    body();
    return;
  }
  auto start = std::chrono::steady_clock::now();
  body();
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "timing %s %.3f\n", name, seconds.count());
}

void show_results_screen() {
  write_line();
  write_line("============ INDEXING RESULTS ===========");
  write_line();
  write_line("Indexing is done.");
  write_line();
  write_line("view subfolder: \\htm_out");
  write_line("view files: page*.htm, index*.htm, i_*.htm, s_*.htm");
  write_line("You can access the index of all words by double-clicking on any word.");
  write_line(std::string("details: ") + maker_address_2);
  write_line();
  any_key_end_prompt();
}

}  // namespace

void run() {
  run_shell("chcp");
  stage("establish_program_site", establish_program_site);
  stage("show_start_screens", show_start_screens);
  stage("check_tools", check_tools);
  stage("prepare_workspace", prepare_workspace);
  stage("intake_texts", intake_texts);
  stage("convert_texts", convert_texts);
  stage("refresh_working_folders", refresh_working_folders);
  stage("ask_target_site", ask_target_site);
  stage("create_output_folders", create_output_folders);
  stage("settle_presentation_parameters", settle_presentation_parameters);
  stage("write_promote_page", write_promote_page);
  stage("list_and_normalise_pages", list_and_normalise_pages);
  stage("extract_words", extract_words);
  write_line("processed 10%");
  stage("build_word_tables", build_word_tables);
  stage("build_group_files", [] { the_run().group_count = build_group_files(); });
  write_line("processed 50%");
  stage("write_group_pages", write_group_pages);
  write_line("processed 60%");
  stage("write_all_words_index", write_all_words_index);
  write_line("processed 90%");
  stage("finish_output", finish_output);
  show_results_screen();
}

}  // namespace docbase
