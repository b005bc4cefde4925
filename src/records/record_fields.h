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
// the line is not exactly that, or a field holds a quote or a CR: such a line
// reads back otherwise, and its reader must go through read_field. A field
// longer than read_field takes whole (a word of over 4096 bytes) is taken
// whole here, so that it does not shift every record after it.
template <std::size_t count>
bool split_plain_record(std::string_view line, std::array<std::string_view, count>& fields) {
  if (line.size() < 2 || line.front() != '"' || line.back() != '"') return false;
  const char* const end = line.data() + line.size() - 1;
  const char* start = line.data() + 1;
  for (std::size_t i = 0; i < count; ++i) {
    // The field ends at the next quote, which must close it; a CR in it would
    // end it on reading.
    const char* at = start;
    while (at < end && *at != '"' && *at != '\r') ++at;
    if (at < end && *at == '\r') return false;
    std::size_t size = static_cast<std::size_t>(at - start);
    fields[i] = std::string_view(start, size);
    if (i + 1 == count) return at == end;
    if (end - at < 3 || at[1] != ',' || at[2] != '"') return false;
    start = at + 3;
  }
  return false;
}

}  // namespace docbase
