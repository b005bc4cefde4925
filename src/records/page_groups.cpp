#include "records/page_groups.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/direct_tables.h"
#include "records/merge_sort.h"
#include "records/next_page.h"
#include "records/occurrence_files.h"
#include "records/record_fields.h"
#include "records/record_file.h"
#include "records/record_stages.h"
#include "records/text.h"
#include "records/word_tables.h"
#include "run/console.h"
#include "run/run_values.h"
#include "workspace/host_path.h"
#include "workspace/shell.h"

namespace docbase {

namespace {

std::size_t configured_page_sort_bytes = std::size_t{16} << 20;

std::string group_file(std::string_view stem, int group) {
  return std::string(stem) + std::to_string(group) + ".txt";
}

bool file_exists(std::string_view name) {
  auto path = host_path(name);
  std::error_code error;
  return path && std::filesystem::is_regular_file(*path, error);
}

// Where a page of the groups stands: its group, and its place in the order of
// all groups' pages, from 1.
struct page_place {
  int group;
  std::uint64_t ordinal;
};

struct page_groups {
  int count = 1;
  std::unordered_map<std::string, page_place> places;
  // The word ids of the groups' records.
  word_id_set word_ids;
};

// The eight fields of a wrd_07.txt / wrd_08.txt record: reverse occurrence,
// word id, page, line, column, word, word id, occurrence number.
using table_fields = std::array<std::string_view, 8>;

// Writes wrd_11_[g].txt, wrd_13_[g].txt and wrd_15.txt from the records of the
// groups' pages, given group by group.
class group_table_writer {
 public:
  group_table_writer() { all_groups_.open_for_output("wrd_15.txt"); }

  // Makes group the one written to; the files of a group passed over are
  // created empty.
  void enter_group(int group) {
    while (group_ < group) {
      ++group_;
      reading_order_.open_for_output(group_file("wrd_11_", group_));
      word_order_.open_for_output(group_file("wrd_13_", group_));
    }
    group_number_ = group_number_field(group_);
  }

  void write(const table_fields& f) {
    reading_order_.write_record({f[2], f[3], f[4], f[5], f[6], f[7]});
    word_order_.write_record({f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
    all_groups_.write_record({f[1], group_number_, f[2], f[3], f[4], f[5], f[7]});
  }

 private:
  int group_ = 0;
  std::string group_number_;
  record_file reading_order_;
  record_file word_order_;
  record_file all_groups_;
};

// Gathers the record lines of one page and gives them back in byte order: in
// memory up to page_sort_bytes, through sort_file beyond.
class page_sorter {
 public:
  void add(std::string_view line) {
    if (spill_.is_open()) {
      spill_.write_line(line);
      return;
    }
    lines_.emplace_back(line);
    bytes_ += line.size() + sizeof(std::string);
    if (bytes_ <= configured_page_sort_bytes) return;
    spill_.open_for_output(spill_name);
    if (!spill_.is_open()) return;
    for (const std::string& kept : lines_) spill_.write_line(kept);
    lines_.clear();
    bytes_ = 0;
  }

  template <class Take>
  void finish(Take&& take) {
    if (spill_.is_open()) {
      spill_.close();
      sort_file(spill_name, sorted_name);
      record_file sorted;
      sorted.open_for_reading(sorted_name);
      std::string line;
      while (sorted.read_line(line)) take(line);
    } else {
      std::sort(lines_.begin(), lines_.end(), [](const std::string& a, const std::string& b) { return byte_less(a, b); });
      for (const std::string& line : lines_) take(line);
    }
    lines_.clear();
    bytes_ = 0;
  }

 private:
  static constexpr const char* spill_name = "group_page_lines.txt";
  static constexpr const char* sorted_name = "group_page_lines_sort.txt";
  std::vector<std::string> lines_;
  std::size_t bytes_ = 0;
  record_file spill_;
};

// Writes the page lists and the group tables in one pass over wrd_07.txt, which
// is in reading order: each page's records stand together, and sorted they are
// the page's records in wrd_08.txt order. Returns nullopt, having written
// nothing that counts, when a line of wrd_07.txt is not a plain record or a
// page's records do not stand together; the groups are then made field by
// field.
std::optional<page_groups> group_plain_table() {
  record_file table;
  table.open_for_reading("wrd_07.txt");
  record_file page_list;
  page_list.open_for_output("group_page_all.txt");
  record_file group_list;
  group_list.open_for_output("group_search_1.txt");
  group_table_writer tables;
  page_sorter sorter;
  page_groups groups;
  const long long group_size = the_run().input_file_count;
  long long in_group = 0;

  std::string current;
  const page_place* current_place = nullptr;
  auto finish_page = [&] {
    if (current_place == nullptr) return;
    tables.enter_group(current_place->group);
    table_fields fields;
    sorter.finish([&](std::string_view line) {
      split_plain_record<8>(line, fields);
      tables.write(fields);
    });
  };

  std::string line;
  table_fields fields;
  while (table.read_line(line)) {
    if (!split_plain_record<8>(line, fields)) return std::nullopt;
    if (auto index = word_id_index(fields[6])) groups.word_ids.insert(*index);
    if (current_place == nullptr || fields[2] != current) {
      std::string page(fields[2]);
      if (groups.places.contains(page)) return std::nullopt;
      finish_page();
      bool first = groups.places.empty();
      auto [slot, added] = groups.places.emplace(page, page_place{groups.count, groups.places.size() + 1});
      current_place = &slot->second;
      current = page;
      group_list.write_record({page});
      page_list.write_line(page);
      ++in_group;
      // The first page is counted but not compared with the group size.
      if (!first && in_group == group_size) {
        in_group = 0;
        ++groups.count;
        group_list.open_for_output(group_file("group_search_", groups.count));
      }
    }
    sorter.add(line);
  }
  finish_page();
  tables.enter_group(groups.count);
  return groups;
}

// The page lists as the pages come in wrd_07.txt read field by field.
page_groups group_pages_by_fields() {
  record_file table;
  table.open_for_reading("wrd_07.txt");
  record_file page_list;
  page_list.open_for_output("group_page_all.txt");
  record_file group_list;
  group_list.open_for_output("group_search_1.txt");
  page_groups groups;
  const long long group_size = the_run().input_file_count;
  long long in_group = 0;
  std::string current;
  record_fields<8> record;
  while (!table.at_end_of_file()) {
    read_record(table, record);
    if (auto index = word_id_index(record[6])) groups.word_ids.insert(*index);
    const std::string& page = record[2];
    bool first = groups.places.empty();
    if (!first && (page == current || groups.places.contains(page))) continue;
    groups.places.emplace(page, page_place{groups.count, groups.places.size() + 1});
    current = page;
    group_list.write_record({page});
    page_list.write_line(page);
    ++in_group;
    if (!first && in_group == group_size) {
      in_group = 0;
      ++groups.count;
      group_list.open_for_output(group_file("group_search_", groups.count));
    }
  }
  return groups;
}

// The group tables page by page from the group files, each page's records
// taken from a full reading of wrd_08.txt, wrd_07.txt sorted. Slow, but exact
// whatever the fields hold; used only when wrd_07.txt has lines that are not
// plain records.
void write_group_tables_by_fields(int group_count) {
  record_file table;
  table.open_for_reading("wrd_08.txt");
  group_table_writer tables;
  record_fields<8> record;
  for (int group = 1; group <= group_count; ++group) {
    tables.enter_group(group);
    record_file group_list;
    group_list.open_for_reading(group_file("group_search_", group));
    while (!group_list.at_end_of_file()) {
      std::string page = group_list.read_field();
      table.rewind();
      while (!table.at_end_of_file()) {
        read_record(table, record);
        if (record[2] != page) continue;
        table_fields fields;
        std::copy(record.begin(), record.end(), fields.begin());
        tables.write(fields);
      }
    }
  }
}

// A line of the next-page table: the page's ordinal, the word's index, whether
// it replaces an earlier line of the same two, and the next page. Sorted, the
// lines of one page stand together, those that replace last.
constexpr std::size_t next_page_key_length = 33;

std::string next_page_line(std::uint64_t ordinal, std::uint64_t word_index, bool overriding,
                           std::string_view next_page) {
  std::string ordinal_digits = std::to_string(ordinal);
  std::string index_digits = std::to_string(word_index);
  std::string line;
  line.reserve(next_page_key_length + next_page.size());
  line.append(10 - ordinal_digits.size(), '0').append(ordinal_digits).append(1, ' ');
  line.append(20 - index_digits.size(), '0').append(index_digits).append(1, ' ');
  line.append(1, overriding ? '1' : '0').append(next_page);
  return line;
}

std::uint64_t digits_value(std::string_view digits) {
  std::uint64_t value = 0;
  for (char digit : digits) value = value * 10 + static_cast<std::uint64_t>(digit - '0');
  return value;
}

// The sorted next-page table, read page by page.
class next_page_table {
 public:
  explicit next_page_table(std::string_view file_name) { file_.open_for_reading(file_name); }

  // The next page of the word on the page of the given ordinal; "" for none.
  const std::string& next_page(std::uint64_t ordinal, std::uint64_t word_index) {
    if (ordinal != loaded_) load(ordinal);
    auto found = next_pages_.find(word_index);
    return found == next_pages_.end() ? none_ : found->second;
  }

 private:
  void load(std::uint64_t ordinal) {
    if (ordinal < loaded_) {
      file_.rewind();
      pending_ = false;
    }
    loaded_ = ordinal;
    next_pages_.clear();
    while (pending_ || file_.read_line(line_)) {
      pending_ = true;
      if (line_.size() < next_page_key_length) {
        pending_ = false;
        continue;
      }
      std::uint64_t at = digits_value(std::string_view(line_).substr(0, 10));
      if (at > ordinal) return;
      if (at == ordinal)
        next_pages_.insert_or_assign(digits_value(std::string_view(line_).substr(11, 20)),
                                     line_.substr(next_page_key_length));
      pending_ = false;
    }
  }

  record_file file_;
  std::uint64_t loaded_ = 0;
  std::string line_;
  bool pending_ = false;
  std::unordered_map<std::uint64_t, std::string> next_pages_;
  const std::string none_;
};

// The next page as the occurrence file gives it, the file made by findstr when
// it does not exist yet.
std::string next_page_from_file(const std::string& word_id, const std::string& page) {
  std::string file = word_id + ".txt";
  if (!file_exists(file)) run_shell("findstr \"" + word_id + "\" wrd_03.txt > " + file);
  return find_next_page(file, page);
}

// The occurrence files, and every group word file: the records of wrd_12_[g].txt
// each with the next page that holds its word.
void write_group_word_files(const page_groups& groups) {
  {
    record_file table;
    table.open_for_output("next_page.txt");
    write_occurrence_files(groups.word_ids, [&](std::uint64_t word_index, const std::string& page,
                                                const std::string& next_page, bool overriding) {
      if (next_page.empty() && !overriding) return;
      auto place = groups.places.find(page);
      if (place == groups.places.end()) return;
      table.write_line(next_page_line(place->second.ordinal, word_index, overriding, next_page));
    });
  }
  sort_file("next_page.txt", "next_page_sort.txt");
  next_page_table next_pages("next_page_sort.txt");

  record_fields<6> record;  // page, line, column, word, word id, occurrence number
  for (int group = 1; group <= groups.count; ++group) {
    record_file words;
    words.open_for_reading(group_file("wrd_12_", group));
    record_file group_words;
    group_words.open_for_output(group_file("wrd_24_", group));
    while (!words.at_end_of_file()) {
      read_record(words, record);
      auto place = groups.places.find(record[0]);
      auto index = word_id_index(record[4]);
      std::string next_page;
      if (place != groups.places.end() && index && groups.word_ids.contains(*index))
        next_page = next_pages.next_page(place->second.ordinal, *index);
      else
        next_page = next_page_from_file(record[4], record[0]);
      group_words.write_record({record[0], record[1], record[2], record[3], record[4], record[5], next_page});
    }
  }
}

}  // namespace

std::string group_number_field(int group) {
  std::string digits = std::to_string(group);
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), ' ');
  return digits;
}

std::size_t page_sort_bytes() { return configured_page_sort_bytes; }
void set_page_sort_bytes(std::size_t bytes) { configured_page_sort_bytes = bytes; }

int build_group_files() {
  if (std::optional<int> group_count = build_group_files_directly()) return *group_count;
  page_groups groups;
  if (std::optional<page_groups> plain = group_plain_table()) {
    groups = std::move(*plain);
  } else {
    groups = group_pages_by_fields();
    sort_file("wrd_07.txt", "wrd_08.txt");
    write_group_tables_by_fields(groups.count);
  }
  sort_file("group_page_all.txt", "group_page_all_sort.txt");
  write_line("processed 40%");
  for (int group = 1; group <= groups.count; ++group) {
    run_shell("sort " + group_file("wrd_11_", group) + " /o " + group_file("wrd_12_", group));
    run_shell("sort " + group_file("wrd_13_", group) + " /o " + group_file("wrd_14_", group));
  }
  write_group_word_files(groups);
  return groups.count;
}

}  // namespace docbase
