#pragma once
// The page groups and everything the output pages read: the contents list, the
// group tables wrd_11_[g] to wrd_14_[g], wrd_15.txt, the occurrence files and
// the group word files wrd_24_[g].txt. The stage itself is build_group_files
// (records/record_stages.h).

#include <cstddef>
#include <string>

namespace docbase {

// The group number as wrd_15.txt holds it: right-aligned in 5 characters.
std::string group_number_field(int group);

// The bytes of one page's records that are sorted in memory; a page with more
// is sorted on disk. Lets a test make a small page go to disk.
std::size_t page_sort_bytes();
void set_page_sort_bytes(std::size_t bytes);

}  // namespace docbase
