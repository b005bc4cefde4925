#include "records/direct_tables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/line_batch.h"
#include "records/merge_sort.h"
#include "records/page_groups.h"
#include "records/record_fields.h"
#include "records/record_file.h"
#include "records/text.h"
#include "records/word_numbers.h"
#include "records/word_sort.h"
#include "run/console.h"
#include "run/run_values.h"
#include "workspace/host_path.h"
#include "workspace/shell.h"

namespace docbase {

namespace {

bool direct_allowed = true;
std::size_t entry_limit = std::size_t{1} << 20;

// More groups than this are left to the record-file pipeline: each group has
// files open at once here.
constexpr int most_groups = 64;
// Word ids of nine digits would hold the text of eight-digit ones.
constexpr std::uint64_t most_records = 100000000;
static_assert(most_records <= most_word_records);
// Word id texts held in memory at most.
constexpr std::size_t most_foreign = std::size_t{1} << 20;
constexpr std::size_t line_width = 10;
constexpr std::size_t column_width = 6;

// Records lost on the way through the work files (a full disk, say) end the
// run as a sort that loses lines does.
[[noreturn]] void records_lost() {
  write_line("sort error");
  end_run();
}

std::string group_file(std::string_view stem, int group) {
  return std::string(stem) + std::to_string(group) + ".txt";
}

// The number of a field that holds it right-aligned in width with blanks and
// without leading zeros, as word extraction writes lines and columns.
std::optional<std::uint64_t> aligned_number(std::string_view field, std::size_t width) {
  if (field.size() != width) return std::nullopt;
  std::size_t at = field.find_first_not_of(' ');
  if (at == std::string_view::npos || (field[at] == '0' && at + 1 < width)) return std::nullopt;
  std::uint64_t value = 0;
  for (; at < width; ++at) {
    if (field[at] < '0' || field[at] > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(field[at] - '0');
  }
  return value;
}

void append_decimal(std::string& out, std::uint64_t value) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

void append_aligned(std::string& out, std::uint64_t value, std::size_t width) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  std::size_t size = static_cast<std::size_t>(end - digits);
  if (size < width) out.append(width - size, ' ');
  out.append(digits, end);
}

// "id" and the index in eight digits; indexes stay below 10^8 here.
void append_word_id(std::string& out, std::uint64_t index) {
  char digits[8];
  for (int i = 7; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + index % 10);
    index /= 10;
  }
  out += "id";
  out.append(digits, 8);
}

// Appends "a","b",...,"z" (without line end).
void append_fields(std::string& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view field : fields) {
    if (!first) out += ',';
    first = false;
    out += '"';
    out += field;
    out += '"';
  }
}

// The pages that have words, in reading order, and the group of each.
struct page_list {
  std::vector<std::string> names;
  std::vector<int> groups;
  int group_count = 1;
  long long in_group = 0;

  // The first page is counted but not compared with the group size.
  void add(std::string_view name, long long group_size) {
    bool first = names.empty();
    names.emplace_back(name);
    groups.push_back(group_count);
    ++in_group;
    if (!first && in_group == group_size) {
      in_group = 0;
      ++group_count;
    }
  }
};

// What build_word_tables_directly hands to build_group_files_directly.
struct direct_tables {
  page_list pages;
  std::uint64_t records = 0;
  std::unique_ptr<word_number_store> numbers;
};

std::optional<direct_tables>& handed_over() {
  static std::optional<direct_tables> tables;
  return tables;
}

// The first pass over wrd_01.txt: the pages and their groups, and the sorted
// runs of the key table. False when a record is not as word extraction writes
// it: not a plain record of five fields; a line or column not right-aligned in
// its width; a page name without "page_" or with capitals; a place not after
// the place before it (pages in byte order, each page's records together, in
// line and column order). Gathers in foreign the indexes of the word ids whose
// text a page or word holds.
bool scan_words(page_list& pages, std::uint64_t& records, word_run_maker& runs, std::vector<std::uint64_t>& foreign) {
  record_file words;
  words.open_for_reading("wrd_01.txt");
  const long long group_size = the_run().input_file_count;
  std::string line;
  std::string key;
  std::string record;
  std::array<std::string_view, 5> fields;  // word, page, line, column, word
  std::uint64_t previous_line = 0;
  std::uint64_t previous_column = 0;
  records = 0;
  while (words.read_line(line)) {
    if (!split_plain_record<5>(line, fields)) return false;
    key.assign(fields[0]);
    for (char& c : key) c = lower_ascii(c);
    if (contains(key, "&nbsp;")) continue;
    auto line_number = aligned_number(fields[2], line_width);
    auto column = aligned_number(fields[3], column_width);
    if (!line_number || !column) return false;
    add_word_id_texts(key, foreign);
    std::string_view page = fields[1];
    if (pages.names.empty() || page != pages.names.back()) {
      if (!contains(page, "page_") || lower_ascii(page) != page) return false;
      add_word_id_texts(page, foreign);
      if (!pages.names.empty() && !(field_less(pages.names.back(), page) && byte_less(pages.names.back(), page)))
        return false;
      pages.add(page, group_size);
      if (pages.group_count > most_groups || pages.names.size() >= most_word_pages) return false;
    } else if (*line_number < previous_line || (*line_number == previous_line && *column <= previous_column)) {
      return false;
    }
    previous_line = *line_number;
    previous_column = *column;
    record.clear();
    append_word_sort_record(record, {key, pages.names.size() - 1, *line_number, fields[0], *column, records});
    runs.add(record);
    if (++records >= most_records) return false;
    if (foreign.size() > most_foreign) {
      std::sort(foreign.begin(), foreign.end());
      foreign.erase(std::unique(foreign.begin(), foreign.end()), foreign.end());
      if (foreign.size() > most_foreign / 2) return false;
    }
  }
  std::sort(foreign.begin(), foreign.end());
  return records > 0;
}

// The occurrences of one word on one page, held until the next page of the
// word is known; beyond word_entry_limit they wait on disk.
class page_run {
 public:
  void add(std::uint64_t index, std::uint32_t occurrence) {
    entries_.emplace_back(index, occurrence);
    if (entries_.size() < entry_limit) return;
    if (!spilled_) spill_.open(spill_name);
    spilled_ = true;
    for (const auto& [at, number] : entries_) {
      append_code(spill_.text(), at, code_width);
      append_code(spill_.text(), number, code_width);
      spill_.end_line();
    }
    entries_.clear();
  }

  template <class Take>
  void finish(Take&& take) {
    if (spilled_) {
      spill_.close();
      record_file spilled;
      spilled.open_for_reading(spill_name);
      std::string line;
      while (spilled.read_line(line))
        if (line.size() == 2 * code_width)
          take(read_code(line.data(), code_width),
               static_cast<std::uint32_t>(read_code(line.data() + code_width, code_width)));
      spilled.close();
      remove_work_file(spill_name);
      spilled_ = false;
    }
    for (const auto& [at, number] : entries_) take(at, number);
    entries_.clear();
  }

  void discard() {
    if (spilled_) {
      spill_.close();
      remove_work_file(spill_name);
      spilled_ = false;
    }
    entries_.clear();
  }

 private:
  static constexpr const char* spill_name = "word_page_run.txt";
  static constexpr int code_width = 4;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> entries_;
  line_batch spill_;
  bool spilled_ = false;
};

// Writes the word-order tables: every group's wrd_14_[g].txt and wrd_15.txt.
// The key order puts the case forms of a word on one line before their
// columns; the word-id order wants the columns alone, so each word's records
// on one line are sorted by column before they are written. A line with more
// of them than word_entry_limit is written as it comes, and its group's
// table is then sorted by the command interpreter.
class word_order_writer {
 public:
  explicit word_order_writer(const page_list& pages) : pages_(pages), unsorted_(pages.group_count + 1, false) {
    tables_.reserve(static_cast<std::size_t>(pages.group_count));
    for (int group = 1; group <= pages.group_count; ++group) tables_.emplace_back(group_file("wrd_13_", group));
    all_groups_.open("wrd_15.txt");
    for (int group = 1; group <= pages.group_count; ++group) group_numbers_.push_back(group_number_field(group));
  }

  void start_word(std::uint64_t word_index) {
    word_id_.clear();
    append_word_id(word_id_, word_index);
  }

  void add(std::uint64_t page, std::uint64_t line, std::uint64_t column, std::string_view word,
           std::uint32_t occurrence) {
    if (passing_) {
      write(page, line, column, word, occurrence);
      return;
    }
    entries_.push_back({column, occurrence, words_.size(), word.size()});
    words_ += word;
    page_ = page;
    line_ = line;
    if (entries_.size() < entry_limit) return;
    unsorted_[static_cast<std::size_t>(pages_.groups[page])] = true;
    write_entries();
    passing_ = true;
  }

  void end_line() {
    if (!passing_) {
      if (!std::is_sorted(entries_.begin(), entries_.end(), by_column))
        std::sort(entries_.begin(), entries_.end(), by_column);
      write_entries();
    }
    passing_ = false;
  }

  // Closes the tables; each is wrd_13_[g].txt sorted, and most are sorted
  // already.
  void finish() {
    all_groups_.close();
    for (int group = 1; group <= pages_.group_count; ++group) {
      tables_[static_cast<std::size_t>(group - 1)].close();
      if (unsorted_[static_cast<std::size_t>(group)])
        run_shell("sort " + group_file("wrd_13_", group) + " /o " + group_file("wrd_14_", group));
      else
        move_file(group_file("wrd_13_", group), group_file("wrd_14_", group));
    }
  }

 private:
  struct entry {
    std::uint64_t column;
    std::uint32_t occurrence;
    std::size_t word_at;
    std::size_t word_size;
  };
  static bool by_column(const entry& a, const entry& b) { return a.column < b.column; }

  void write_entries() {
    for (const entry& e : entries_)
      write(page_, line_, e.column, std::string_view(words_).substr(e.word_at, e.word_size), e.occurrence);
    entries_.clear();
    words_.clear();
  }

  void write(std::uint64_t page, std::uint64_t line, std::uint64_t column, std::string_view word,
             std::uint32_t occurrence) {
    int group = pages_.groups[static_cast<std::size_t>(page)];
    place_.clear();
    place_ += pages_.names[static_cast<std::size_t>(page)];
    place_ += "\",\"";
    append_aligned(place_, line, line_width);
    place_ += "\",\"";
    append_aligned(place_, column, column_width);
    place_ += "\",\"";
    place_ += word;
    number_.clear();
    append_decimal(number_, occurrence);

    std::string& table = tables_[static_cast<std::size_t>(group - 1)].text();
    table += '"';
    table += word_id_;
    table += "\",\"";
    table += place_;
    table += "\",\"";
    table += word_id_;
    table += "\",\"";
    table += number_;
    table += '"';
    tables_[static_cast<std::size_t>(group - 1)].end_line();

    std::string& all = all_groups_.text();
    all += '"';
    all += word_id_;
    all += "\",\"";
    all += group_numbers_[static_cast<std::size_t>(group - 1)];
    all += "\",\"";
    all += place_;
    all += "\",\"";
    all += number_;
    all += '"';
    all_groups_.end_line();
  }

  const page_list& pages_;
  std::vector<line_batch> tables_;
  line_batch all_groups_;
  std::vector<std::string> group_numbers_;
  std::vector<bool> unsorted_;
  std::string word_id_;
  std::vector<entry> entries_;
  std::string words_;
  std::uint64_t page_ = 0;
  std::uint64_t line_ = 0;
  bool passing_ = false;
  std::string place_;
  std::string number_;
};

// The pass over the key order: word ids (the index of a word's first record),
// occurrence numbers (counted per word in this order), the next page of each
// word on each page (the page of its next run of records), and the word-order
// tables. False, the tables unfinished, when a word's id is one of foreign;
// ends the run when the runs do not give back all records.
bool number_words(std::vector<std::string> runs, std::uint64_t records, const page_list& pages,
                  const std::vector<std::uint64_t>& foreign, word_number_store& numbers) {
  word_order_writer tables(pages);
  page_run on_page;
  std::string key;
  std::uint64_t position = 0;
  std::uint32_t word_index = 0;
  std::uint32_t occurrence = 0;
  std::uint64_t page = 0;
  std::uint64_t line = 0;
  bool foreign_id = false;
  auto end_page = [&](std::uint32_t next_page) {
    on_page.finish([&](std::uint64_t index, std::uint32_t number) {
      numbers.set(index, {word_index, number, next_page});
    });
  };
  merge_word_runs(std::move(runs), [&](const std::string& text) {
    word_sort_record record = read_word_sort_record(text);
    if (position == 0 || record.key != key) {
      if (position > 0) {
        tables.end_line();
        end_page(0);
      }
      if (std::binary_search(foreign.begin(), foreign.end(), position)) {
        foreign_id = true;
        return false;
      }
      key.assign(record.key);
      word_index = static_cast<std::uint32_t>(position);
      occurrence = 0;
      tables.start_word(word_index);
    } else if (record.page != page) {
      tables.end_line();
      end_page(static_cast<std::uint32_t>(record.page + 1));
    } else if (record.line != line) {
      tables.end_line();
    }
    page = record.page;
    line = record.line;
    ++occurrence;
    ++position;
    on_page.add(record.index, occurrence);
    tables.add(record.page, record.line, record.column, record.word, occurrence);
    return true;
  });
  if (foreign_id) {
    on_page.discard();
    return false;
  }
  if (position != records) records_lost();
  if (position > 0) {
    tables.end_line();
    end_page(0);
  }
  tables.finish();
  numbers.end_writing();
  return true;
}

// The second pass over wrd_01.txt: every group's records in reading order,
// wrd_12_[g].txt, and with the next page of each record's word, wrd_24_[g].txt.
void write_reading_order(const direct_tables& tables, word_number_store& numbers) {
  record_file words;
  words.open_for_reading("wrd_01.txt");
  line_batch reading_order;
  line_batch group_words;
  int group = 0;
  auto enter_group = [&](int wanted) {
    while (group < wanted) {
      ++group;
      reading_order.open(group_file("wrd_12_", group));
      group_words.open(group_file("wrd_24_", group));
    }
  };

  std::string line;
  std::string key;
  std::string record;
  std::array<std::string_view, 5> fields;  // word, page, line, column, word
  std::uint64_t index = 0;
  std::size_t page = 0;
  bool first = true;
  while (words.read_line(line) && index < tables.records) {
    if (!split_plain_record<5>(line, fields)) continue;
    key.assign(fields[0]);
    for (char& c : key) c = lower_ascii(c);
    if (contains(key, "&nbsp;")) continue;
    if (first || fields[1] != tables.pages.names[page]) {
      if (!first) ++page;
      first = false;
      enter_group(tables.pages.groups[page]);
    }
    const word_number& number = numbers.at(index++);
    if (number.occurrence == 0) records_lost();
    record.clear();
    append_fields(record, {fields[1], fields[2], fields[3], fields[0]});
    record += ",\"";
    append_word_id(record, number.word);
    record += "\",\"";
    append_decimal(record, number.occurrence);
    record += '"';
    reading_order.add_line(record);
    record += ",\"";
    if (number.next_page > 0) record += tables.pages.names[number.next_page - 1];
    record += '"';
    group_words.add_line(record);
  }
  enter_group(tables.pages.group_count);
}

}  // namespace

void allow_direct_tables(bool allowed) { direct_allowed = allowed; }
std::size_t word_entry_limit() { return entry_limit; }
void set_word_entry_limit(std::size_t entries) { entry_limit = entries; }

bool field_less(std::string_view a, std::string_view b) {
  std::size_t common = std::min(a.size(), b.size());
  int order = std::memcmp(a.data(), b.data(), common);
  if (order != 0) return order < 0;
  if (a.size() == b.size()) return false;
  // The closing quote of the shorter field meets the next byte of the longer.
  if (a.size() < b.size()) return static_cast<unsigned char>(b[common]) > '"';
  return static_cast<unsigned char>(a[common]) < '"';
}

void add_word_id_texts(std::string_view text, std::vector<std::uint64_t>& indexes) {
  for (std::size_t at = 0; at + 10 <= text.size(); ++at) {
    if (lower_ascii(text[at]) != 'i' || lower_ascii(text[at + 1]) != 'd') continue;
    std::uint64_t index = 0;
    std::size_t digit = at + 2;
    for (; digit < at + 10 && text[digit] >= '0' && text[digit] <= '9'; ++digit)
      index = index * 10 + static_cast<std::uint64_t>(text[digit] - '0');
    if (digit == at + 10) indexes.push_back(index);
  }
}

bool build_word_tables_directly() {
  handed_over().reset();
  if (!direct_allowed) return false;
  direct_tables tables;
  std::vector<std::string> runs;
  std::vector<std::uint64_t> foreign;
  {
    word_run_maker maker;
    if (!scan_words(tables.pages, tables.records, maker, foreign)) {
      maker.discard();
      return false;
    }
    runs = maker.finish();
  }
  tables.numbers = std::make_unique<word_number_store>(tables.records);
  if (!number_words(std::move(runs), tables.records, tables.pages, foreign, *tables.numbers)) {
    tables.numbers->discard();
    return false;
  }
  write_line("processed 20%");
  write_line("processed 30%");
  handed_over() = std::move(tables);
  return true;
}

std::optional<int> build_group_files_directly() {
  if (!handed_over()) return std::nullopt;
  direct_tables tables = std::move(*handed_over());
  handed_over().reset();
  {
    line_batch page_list("group_page_all.txt");
    for (const std::string& name : tables.pages.names) page_list.add_line(name);
  }
  sort_file("group_page_all.txt", "group_page_all_sort.txt");
  write_line("processed 40%");
  write_reading_order(tables, *tables.numbers);
  tables.numbers->discard();
  return tables.pages.group_count;
}

}  // namespace docbase
