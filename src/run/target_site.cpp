#include "run/target_site.h"

#include <algorithm>

#include "run/console.h"
#include "run/run_values.h"

namespace docbase {

namespace {
constexpr std::size_t field_limit = 4096;
}

std::string parse_target_field(std::string_view line) {
  std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  std::string_view rest = line.substr(start);
  std::size_t end;
  if (rest.front() == '"') {
    rest.remove_prefix(1);
    end = rest.find('"');
  } else {
    end = rest.find(',');
  }
  if (end == std::string_view::npos) end = rest.size();
  return std::string(rest.substr(0, std::min(end, field_limit)));
}

void ask_target_site() {
  write_line();
  write_line("-----------------------");
  write_line();
  write_line("The program enables targeted search.");
  write_line("Google search phrases will be targeted to a specific web address.");
  write_line("If the destination web address is not specified, Google search will run all over the web.");
  write_line();
  write_text("web address for destination search (example: www.example.com) = ");
  write_text("? ");
  the_run().target_site = parse_target_field(read_typed_line());
}

}  // namespace docbase
