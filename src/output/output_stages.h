#pragma once
// The stages that write the document base.

namespace docbase {

// For every group: its reading pages, its key-word index page (and the
// contents page), its word search page.
void write_group_pages();
// index.htm, the all-words index; prints "processed 70%" and "processed 80%".
void write_all_words_index();

}  // namespace docbase
