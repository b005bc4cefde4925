#pragma once
// The stages of page preparation and word extraction, in the order a run
// calls them.

namespace docbase {

// Copies the texts of txt_in into txt_wrk under safe names; txt_in is only read.
void intake_texts();
// Converts every text of txt_wrk into a page in htm_wrk, shows the page
// listing and "number of files =", asks to go on, and makes htm_in ready.
void convert_texts();
// Writes f_promote.htm and copies it into htm_in.
void write_promote_page();
// Lists htm_in with the promotional page first, normalises every page and
// copies it to its numbered name page_ plus a zero-padded number.
void list_and_normalise_pages();
// Writes wrd_01.txt: every word of every numbered page with its place.
void extract_words();

}  // namespace docbase
