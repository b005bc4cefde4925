#pragma once
// The stages of the word tables and page groups, in the order a run calls them.

namespace docbase {

// wrd_01.txt into the word tables: straight into the tables that the output
// pages read when its records are as word extraction writes them, otherwise
// through wrd_01_01.txt to wrd_07.txt; prints "processed 20%" and
// "processed 30%".
void build_word_tables();
// The page groups, the contents list, the group tables, wrd_15.txt and the
// group word files; prints "processed 40%". Returns the number of groups.
int build_group_files();

}  // namespace docbase
