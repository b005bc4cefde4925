#include "records/word_tables.h"

#include "records/direct_tables.h"
#include "records/merge_sort.h"
#include "records/record_fields.h"
#include "records/record_file.h"
#include "records/record_stages.h"
#include "records/text.h"
#include "run/console.h"

namespace docbase {

std::string word_key(std::string_view word) { return lower_ascii(word); }

std::string make_word_id(std::uint64_t index) {
  std::string digits = std::to_string(index);
  if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
  return "id" + digits;
}

std::optional<std::uint64_t> word_id_index(std::string_view word_id) {
  if (word_id.size() < 10 || word_id.size() > 21 || word_id.substr(0, 2) != "id") return std::nullopt;
  std::string_view digits = word_id.substr(2);
  if (digits.size() > 8 && digits.front() == '0') return std::nullopt;
  std::uint64_t index = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    std::uint64_t next = index * 10 + static_cast<std::uint64_t>(digit - '0');
    if (next / 10 != index) return std::nullopt;
    index = next;
  }
  return index;
}

std::string reverse_occurrence(std::string_view occurrence_number) {
  long long reverse = 100000000 - leading_number(occurrence_number);
  if (reverse < 1) return std::string(occurrence_number);
  std::string digits = std::to_string(reverse);
  if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
  return digits;
}

namespace {

// wrd_01.txt less the words holding "&nbsp;", each with its key in front.
void add_word_keys() {
  record_file words;
  words.open_for_reading("wrd_01.txt");
  record_file keyed;
  keyed.open_for_output("wrd_01_01.txt");
  record_fields<5> record;  // word, page, line, column, word
  while (!words.at_end_of_file()) {
    read_record(words, record);
    std::string key = word_key(record[0]);
    if (contains(key, "&nbsp;")) continue;
    keyed.write_record({key, record[1], record[2], record[0], record[3], record[4]});
  }
}

// A word id for every key: the index of the key's first record in
// wrd_01_02.txt. A table without records gives an empty wrd_03.txt.
void assign_word_ids() {
  record_file sorted;
  sorted.open_for_reading("wrd_01_02.txt");
  record_file with_ids;
  with_ids.open_for_output("wrd_03.txt");
  record_fields<6> record;  // key, page, line, word, column, word
  std::string current_key;
  std::string current_id;
  for (std::uint64_t index = 0; !sorted.at_end_of_file(); ++index) {
    read_record(sorted, record);
    if (index == 0 || record[0] != current_key) {
      current_key = record[0];
      current_id = make_word_id(index);
    }
    with_ids.write_record({record[1], record[2], record[4], record[3], current_id});
  }
}

// Numbers the records of each word id from 1; records without a page or a
// word id are counted but not written.
void number_occurrences() {
  record_file with_ids;
  with_ids.open_for_reading("wrd_03.txt");
  record_file numbered;
  numbered.open_for_output("wrd_04.txt");
  record_fields<5> record;  // page, line, column, word, word id
  std::string previous_id;
  long long number = 0;
  while (!with_ids.at_end_of_file()) {
    read_record(with_ids, record);
    ++number;
    if (record[4] != previous_id) number = 1;
    if (contains(record[0], "page_") && contains(record[4], "id"))
      numbered.write_record({record[0], record[1], record[2], record[3], record[4], std::to_string(number)});
    previous_id = record[4];
  }
}

void keep_page_records() {
  record_file sorted;
  sorted.open_for_reading("wrd_05.txt");
  record_file kept;
  kept.open_for_output("wrd_06.txt");
  record_fields<6> record;  // page, line, column, word, word id, occurrence number
  while (!sorted.at_end_of_file()) {
    read_record(sorted, record);
    if (contains(lower_ascii(record[0]), "page_") && contains(record[4], "id")) kept.write_record(record);
  }
}

void add_reverse_keys() {
  record_file kept;
  kept.open_for_reading("wrd_06.txt");
  record_file keyed;
  keyed.open_for_output("wrd_07.txt");
  record_fields<6> record;  // page, line, column, word, word id, occurrence number
  while (!kept.at_end_of_file()) {
    read_record(kept, record);
    keyed.write_record({reverse_occurrence(record[5]), record[4], record[0], record[1], record[2], record[3],
                        record[4], record[5]});
  }
}

}  // namespace

void build_word_tables() {
  if (build_word_tables_directly()) return;
  add_word_keys();
  sort_file("wrd_01_01.txt", "wrd_01_02.txt");
  write_line("processed 20%");
  assign_word_ids();
  number_occurrences();
  sort_file("wrd_04.txt", "wrd_05.txt");
  keep_page_records();
  add_reverse_keys();
  write_line("processed 30%");
}

}  // namespace docbase
