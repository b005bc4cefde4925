#include "records/occurrence_files.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "records/next_page.h"
#include "records/record_fields.h"
#include "records/record_file.h"
#include "records/word_tables.h"

namespace docbase {

void word_id_set::insert(std::uint64_t index) {
  if (index >= bits_.size()) bits_.resize(std::max<std::uint64_t>(index + 1, bits_.size() * 2));
  bits_[index] = true;
}

namespace {

std::string occurrence_file_name(std::uint64_t index) { return make_word_id(index) + ".txt"; }

// The indexes in wanted of every word id whose text the line holds, once each.
void word_ids_in_line(std::string_view line, const word_id_set& wanted, std::vector<std::uint64_t>& found) {
  found.clear();
  for (std::size_t at = line.find("id"); at != std::string_view::npos; at = line.find("id", at + 1)) {
    std::size_t first = at + 2;
    std::size_t end = first;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    if (end - first < 8) continue;
    std::uint64_t index = 0;
    for (std::size_t digit = first; digit < end; ++digit) {
      index = index * 10 + static_cast<std::uint64_t>(line[digit] - '0');
      std::size_t length = digit + 1 - first;
      if (length > 8 && line[first] == '0') break;
      if (length >= 8 && wanted.contains(index) && std::find(found.begin(), found.end(), index) == found.end())
        found.push_back(index);
      if (length >= 8 && index >= wanted.limit()) break;
    }
  }
}

// Opens and fills the occurrence files; the first write to a file in the pass
// empties it, the later ones append.
class occurrence_writer {
 public:
  explicit occurrence_writer(std::uint64_t limit) : written_(limit, false) {}

  void open(std::uint64_t index, record_file& file) {
    if (written_[index]) {
      file.open_for_append(occurrence_file_name(index));
    } else {
      file.open_for_output(occurrence_file_name(index));
      written_[index] = true;
    }
  }

  void append(std::uint64_t index, std::string_view line) {
    record_file file;
    open(index, file);
    file.write_line(line);
  }

  // A word whose id no line holds gets an empty file, as from a findstr that
  // finds nothing.
  void create_missing(const word_id_set& wanted) {
    for (std::uint64_t index = 0; index < wanted.limit(); ++index)
      if (wanted.contains(index) && !written_[index]) {
        record_file file;
        open(index, file);
      }
  }

 private:
  std::vector<bool> written_;
};

// The pages of the records of the occurrence file, in file order, read as
// find_next_page reads them.
page_runs pages_of_occurrence_file(std::uint64_t index) {
  record_file file;
  file.open_for_reading(occurrence_file_name(index));
  page_runs pages;
  record_fields<5> record;
  while (!file.at_end_of_file()) {
    read_record(file, record);
    pages.add(record[0]);
  }
  return pages;
}

}  // namespace

// The lines of one word id stand together in wrd_03.txt, in occurrence order,
// so each word's file is written in one stretch and its pages are gathered on
// the way. A word whose id text also stands in other lines (inside a word, say),
// or whose lines do not read back as plain records, is marked irregular: its
// next pages are worked out again from its finished file.
void write_occurrence_files(const word_id_set& wanted, const next_page_sink& sink) {
  record_file table;
  table.open_for_reading("wrd_03.txt");
  occurrence_writer writer(wanted.limit());
  std::vector<bool> irregular(wanted.limit(), false);
  std::vector<bool> stretch_seen(wanted.limit(), false);

  std::optional<std::uint64_t> stretch_word;
  record_file stretch_file;
  page_runs stretch_pages;
  auto end_stretch = [&] {
    if (!stretch_word) return;
    stretch_file.close();
    if (!irregular[*stretch_word])
      stretch_pages.for_each_next_page([&](const std::string& page, const std::string& next) {
        sink(*stretch_word, page, next, false);
      });
    stretch_pages.clear();
    stretch_word.reset();
  };

  std::string line;
  std::vector<std::uint64_t> found;
  std::array<std::string_view, 5> fields;
  while (table.read_line(line)) {
    word_ids_in_line(line, wanted, found);
    std::optional<std::uint64_t> own;
    if (split_plain_record<5>(line, fields)) {
      std::optional<std::uint64_t> index = word_id_index(fields[4]);
      if (index && wanted.contains(*index)) own = index;
    }
    if (own != stretch_word) {
      end_stretch();
      if (own) {
        if (stretch_seen[*own]) irregular[*own] = true;
        stretch_seen[*own] = true;
        stretch_word = own;
        writer.open(*own, stretch_file);
      }
    }
    if (own) {
      stretch_file.write_line(line);
      stretch_pages.add(fields[0]);
    }
    for (std::uint64_t index : found) {
      if (own && index == *own) continue;
      irregular[index] = true;
      writer.append(index, line);
    }
  }
  end_stretch();
  table.close();
  writer.create_missing(wanted);

  for (std::uint64_t index = 0; index < irregular.size(); ++index)
    if (irregular[index])
      pages_of_occurrence_file(index).for_each_next_page(
          [&](const std::string& page, const std::string& next) { sink(index, page, next, true); });
}

}  // namespace docbase
