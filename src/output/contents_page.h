#pragma once
// The contents page files_list.htm: every page that has indexed words, each a
// link to the page and an anchor named by the page.

namespace docbase {

// Writes files_list.htm anew from the contents list group_page_all_sort.txt.
void write_contents_page();

}  // namespace docbase
