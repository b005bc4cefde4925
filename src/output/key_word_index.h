#pragma once
// The key-word index page of a group: every word once per page it occurs on,
// with its count there and links to the page, the word search page, the
// all-words index, the contents page and a web search.

namespace docbase {

// Writes i_[g].htm from wrd_14_[g].txt, and the contents page in the middle
// of it. A promotional block follows every 101st entry, counted over all the
// pages of the run.
void write_key_word_index_page(int group);

// Starts the entry count of a new run at 0.
void restart_entry_count();

}  // namespace docbase
