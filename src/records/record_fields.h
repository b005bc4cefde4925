#pragma once
// Reading a record of a fixed number of fields, and telling whether a record
// line is plain: one that read_field reads back exactly as it stands.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "records/record_file.h"

namespace docbase {

template <std::size_t count>
using record_fields = std::array<std::string, count>;

// Reads the next count fields of file, past its end as empty fields.
template <std::size_t count>
void read_record(record_file& file, record_fields<count>& fields) {
  for (std::string& field : fields) field = file.read_field();
}

// Splits a line of count quoted fields with commas between them. False when
// the line is not exactly that, or a field holds a quote or a CR or is too long
// to be read whole: such a line reads back otherwise, and its reader must go
// through read_field.
template <std::size_t count>
bool split_plain_record(std::string_view line, std::array<std::string_view, count>& fields) {
  if (line.size() < 2 || line.front() != '"' || line.back() != '"') return false;
  std::string_view rest = line.substr(1, line.size() - 2);
  for (std::size_t i = 0; i < count; ++i) {
    bool last = i + 1 == count;
    std::size_t end = last ? rest.size() : rest.find("\",\"");
    if (end == std::string_view::npos) return false;
    fields[i] = rest.substr(0, end);
    if (fields[i].size() >= record_file::field_limit || fields[i].find_first_of("\"\r") != std::string_view::npos)
      return false;
    rest = last ? std::string_view{} : rest.substr(end + 3);
  }
  return true;
}

}  // namespace docbase
