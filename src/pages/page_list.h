#pragma once
// The page list (the promotional page first, then the pages of htm_in in
// sorted order), the numbered page names and the normalised copies.

#include <optional>
#include <string>
#include <string_view>

namespace docbase {

// Set while the normaliser is inside a table opened with attributes. It lives
// for the whole run: a page that ends inside a table leaves it set for the
// first lines of the next page.
bool& table_flag();

// The zero-padded width of the page numbers for a list of n entries: 2 up to
// 10 entries, 3 up to 100, and so on up to 8 beyond a million.
int page_number_width(long long entries);

// "page_", n padded with zeros to width digits, ".htm".
std::string page_number_name(long long n, int width);

// One line of a page as it stands in the normalised copy, or nullopt when the
// line is dropped (a "<pre>" or "</pre>" line). Outside a table the line gets
// "&nbsp;" per leading blank and "<br>" in front, and loses bytes 0 to 15;
// inside one it stays as it is (trailing blanks removed).
std::optional<std::string> normalise_line(std::string_view line, bool& inside_table);

// Lists htm_in into dir_02.txt and dir_03.txt (sorted) and writes the page
// list dir_01.txt; returns the number of entries.
long long build_page_list();

// Writes the normalised copy of every entry of dir_01.txt and copies it to
// its numbered name of the given width.
void normalise_pages(int width);

}  // namespace docbase
