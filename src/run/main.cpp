#include "run/console.h"
#include "run/run_values.h"

int main(int, char**) {
  try {
  } catch (const docbase::run_ended&) {
  }
  docbase::flush_console();
  docbase::restore_terminal();
  return 0;
}
