#pragma once
// The word tables: every distinct word (ASCII case ignored) gets one word id,
// its occurrences are numbered, and the occurrences are put back into reading
// order and into the order of descending occurrence number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace docbase {

// The word with A-Z lowered; what words are told apart by.
std::string word_key(std::string_view word);

// "id" and the record index, zero-padded to 8 digits (more digits written whole).
std::string make_word_id(std::uint64_t index);

// The index a word id was made from, or nullopt when the text is not exactly
// what make_word_id writes for some index.
std::optional<std::uint64_t> word_id_index(std::string_view word_id);

// The sort key that puts higher occurrence numbers first: 100000000 minus the
// number, zero-padded to 8 digits; the number's own text when that is below 1.
std::string reverse_occurrence(std::string_view occurrence_number);

}  // namespace docbase
