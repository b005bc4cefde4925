#include "run/start_screens.h"

#include <string>

#include "run/console.h"
#include "run/prompts.h"
#include "run/run_values.h"

namespace docbase {

namespace {

void show_terms_of_use() {
  write_line("====================================");
  write_line();
  write_line("THE PROGRAM INDEXES A GROUP OF TXT FILES ON EACH WORD AND CREATES A DOCUMENT BASE");
  write_line();
  write_line("Program name:" + the_run().program_file_name);
  write_line("Terms of use:");
  write_line("The program is provided as it is, without warranty of any kind.");
  write_line("The maker is not liable for any damage or loss of data that its use may cause.");
  write_line();
  write_line("You may use the program and the document bases it creates for any lawful purpose.");
  write_line("You may pass the program on only unchanged and free of charge.");
  write_line("- do not sell, rent or modify the program;");
  write_line("- do not remove or change these terms of use.");
  write_line();
  write_line();
  write_line("====================================");
  write_line("Do you accept the terms of use?");
  write_line();
  choice_prompt("<1> yes, continue", "<2> no, end");
}

void show_font_advice() {
  write_line();
  write_line("----------------------------");
  write_line("FONT CONSOLAS OR LUCIDA CONSOLE MUST BE SELECTED IN THE PROGRAM EXECUTION WINDOW.");
  write_line("Setting procedure (necessary for correct printing):");
  write_line("- move the mouse to the center of the upper bold edge of the execution window;");
  write_line("- right mouse click;");
  write_line("- select Properties from the drop-down menu;");
  write_line("- select the Font tab;");
  write_line("- this tab includes the Consolas or Lucida Console font.");
  write_line();
  write_line("In the Layout tab, select the size of the execution window.");
  write_line("Selected settings work when the program is restarted.");
  write_line("----------------------------");
  write_line();
  choice_prompt("<1> continue", "<2> end");
}

void show_installation_advice() {
  write_line();
  write_line("----------------------------");
  write_line("THE PROGRAM MUST BE INSTALLED IN YOUR OWN DIRECTORY.");
  write_line("During execution, the program creates and also deletes most *.txt and other files.");
  write_line();
  write_line("The TXT files you want to index must be written in UTF-8 format and copied to the TXT_IN subfolder.");
  write_line("The TXT file names must not contain spaces or special characters (ASCII only).");
  write_line("----------------------------");
  write_line();
  choice_prompt("<1> continue", "<2> end");
}

}  // namespace

void show_start_screens() {
  show_terms_of_use();
  show_font_advice();
  show_installation_advice();
}

}  // namespace docbase
