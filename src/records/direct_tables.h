#pragma once
// The word tables and group files made straight from wrd_01.txt, for the usual
// case of word records that are plain (see record_fields.h) and stand in
// reading order, as word extraction writes them. One sort by word key gives
// every record its word id, its occurrence number and the next page of its
// word; the records then go back into reading order by their index. Only the
// files that the output pages read are written, with the bytes that the table
// pipeline gives them: the contents list, wrd_12_[g], wrd_14_[g], wrd_15 and
// wrd_24_[g]. Anything unusual in wrd_01.txt leaves the work to the pipeline of
// record files (word_tables.cpp, page_groups.cpp), which reads every field as
// read_field does.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace docbase {

// Makes build_word_tables_directly decline, so that the record-file pipeline
// runs; for tests of that pipeline.
void allow_direct_tables(bool allowed);

// The entries of one word on one page or one line held in memory before they
// go to disk (see also word_sort_bytes and word_number_chunk); tests make it
// small.
std::size_t word_entry_limit();
void set_word_entry_limit(std::size_t entries);

// The order of two fields as record lines compare them: each followed by its
// closing quote.
bool field_less(std::string_view a, std::string_view b);

// Appends to indexes the index of every word id whose text (id and eight
// digits, here in either case) text holds: the text that findstr looks for in
// the occurrence file of that word id.
void add_word_id_texts(std::string_view text, std::vector<std::uint64_t>& indexes);

// The word tables of wrd_01.txt: writes wrd_14_[g].txt and wrd_15.txt and
// prints "processed 20%" and "processed 30%". Returns false, having printed
// nothing and kept nothing that counts, when wrd_01.txt is not as word
// extraction writes it, or when a word or page holds the id text of a word:
// that word's occurrence file would hold a line of another word.
bool build_word_tables_directly();

// The rest, after build_word_tables_directly has succeeded: the contents list
// ("processed 40%"), wrd_12_[g].txt and wrd_24_[g].txt. Returns the number of
// groups, or nullopt when the word tables were not made directly. Both end the
// run with "sort error" when records are lost in their work files.
std::optional<int> build_group_files_directly();

}  // namespace docbase
