#include "run/run_values.h"

namespace docbase {

run_values& the_run() {
  static run_values values;
  return values;
}

void end_run() { throw run_ended{}; }

}  // namespace docbase
