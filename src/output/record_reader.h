#pragma once
// The records of a table, a fixed number of fields each, read a line at a
// time: a plain line (one that read_field reads back exactly as it stands) is
// split where it lies, and from the first line that is not plain on, the
// table is read field by field, as read_field reads it. The fields are then
// those of read_field in every case, at a fraction of its cost.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "records/record_fields.h"
#include "records/record_file.h"

namespace docbase {

template <std::size_t count>
class record_reader {
 public:
  using fields = std::array<std::string_view, count>;

  // A table that cannot be opened has no records.
  void open(std::string_view path) {
    path_ = path;
    file_.open_for_reading(path_);
    by_fields_ = false;
    lines_ = 0;
  }
  void rewind() { open(std::string(path_)); }
  bool at_end() const { return file_.at_end_of_file(); }

  // The next record's fields, valid until the next call; past the end, empty.
  const fields& next() {
    if (!by_fields_) {
      if (!file_.read_line(line_)) {
        fields_.fill({});
        return fields_;
      }
      ++lines_;
      if (split_plain_record(line_, fields_)) return fields_;
      read_fields_from_line(lines_ - 1);
    }
    for (std::size_t i = 0; i < count; ++i) {
      owned_[i] = file_.read_field();
      fields_[i] = owned_[i];
    }
    return fields_;
  }

 private:
  // Every line before this one held one record: field by field, reading
  // starts where that record ends.
  void read_fields_from_line(unsigned long long lines_before) {
    file_.open_for_reading(path_);
    for (unsigned long long i = 0; i < lines_before; ++i) file_.read_line(line_);
    by_fields_ = true;
  }

  std::string path_;
  record_file file_;
  bool by_fields_ = false;
  unsigned long long lines_ = 0;
  std::string line_;
  std::array<std::string, count> owned_;
  fields fields_;
};

}  // namespace docbase
