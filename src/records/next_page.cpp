#include "records/next_page.h"

#include <unordered_map>

#include "records/record_fields.h"
#include "records/record_file.h"
#include "records/text.h"

namespace docbase {

std::string find_next_page(std::string_view occurrence_file, std::string_view page) {
  record_file file;
  file.open_for_reading(occurrence_file);
  record_fields<5> record;
  while (!file.at_end_of_file()) {
    read_record(file, record);
    if (record[0] != page) continue;
    // Past the end a read gives empty fields; the end test keeps an empty page
    // from matching them for ever.
    do read_record(file, record);
    while (record[0] == page && !file.at_end_of_file());
    if (record[0] == page) record[0].clear();
    if (byte_less(page, record[0])) return record[0];
  }
  return {};
}

void page_runs::for_each_next_page(
    const std::function<void(const std::string&, const std::string&)>& found) const {
  static const std::string none;
  std::unordered_map<std::string_view, std::size_t> first_run;
  std::vector<const std::string*> next(pages_.size(), nullptr);
  for (std::size_t run = 0; run < pages_.size(); ++run) {
    auto [slot, added] = first_run.emplace(pages_[run], run);
    std::size_t owner = slot->second;
    if (next[owner] == nullptr && run + 1 < pages_.size() && byte_less(pages_[run], pages_[run + 1]))
      next[owner] = &pages_[run + 1];
  }
  for (std::size_t run = 0; run < pages_.size(); ++run)
    if (first_run[pages_[run]] == run) found(pages_[run], next[run] ? *next[run] : none);
}

}  // namespace docbase
