#include <exception>
#include <iostream>

#include "run/console.h"
#include "run/driver.h"
#include "run/run_values.h"

int main(int argc, char** argv) {
  docbase::the_run().start_path = argc > 0 ? argv[0] : "";
  docbase::start_console();
  int status = 0;
  try {
    docbase::run();
  } catch (const docbase::run_ended&) {
  } catch (const std::exception& error) {
    docbase::flush_console();
    std::cerr << "internal error: " << error.what() << '\n';
    status = 1;
  }
  docbase::flush_console();
  docbase::restore_terminal();
  return status;
}
