#include "workspace/shell_names.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "records/text.h"
#include "workspace/host_path.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

struct fold_table {
  unsigned char byte[256];
  constexpr fold_table() : byte() {
    for (int i = 0; i < 256; ++i) byte[i] = static_cast<unsigned char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
  }
};
constexpr fold_table folded;

}  // namespace

// Runs of equal bytes are passed over eight at a time; only where the bytes
// differ are they folded. The first raw difference decides a tie.
bool folded_less(std::string_view a, std::string_view b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a.data());
  const auto* y = reinterpret_cast<const unsigned char*>(b.data());
  std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  int tie = 0;
  while (i < common) {
    for (std::uint64_t u, v; i + 8 <= common; i += 8) {
      std::memcpy(&u, x + i, 8);
      std::memcpy(&v, y + i, 8);
      if (u != v) break;
    }
    while (i < common && x[i] == y[i]) ++i;
    if (i == common) break;
    unsigned char fx = folded.byte[x[i]], fy = folded.byte[y[i]];
    if (fx != fy) return fx < fy;
    if (tie == 0) tie = x[i] < y[i] ? -1 : 1;
    ++i;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return tie < 0;
}

bool has_wildcard(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

namespace {

// Plain wildcard matching with one backtracking point: linear in practice.
bool glob_match(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || lower_ascii(pattern[p]) == lower_ascii(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool has_dot(std::string_view name) { return name.find('.') != std::string_view::npos; }

}  // namespace

bool wildcard_match(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  if (pattern.size() > 1 && pattern.back() == '.' && pattern.find_first_not_of('.') != std::string_view::npos)
    return !has_dot(name) && glob_match(pattern.substr(0, pattern.size() - 1), name);
  if (pattern.size() > 2 && pattern.ends_with(".*") && !has_dot(name) &&
      glob_match(pattern.substr(0, pattern.size() - 2), name))
    return true;
  return glob_match(pattern, name);
}

split_path split_last_name(std::string_view path) {
  std::size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) return {"", std::string(path)};
  return {std::string(path.substr(0, last + 1)), std::string(path.substr(last + 1))};
}

folder_listing read_folder(const fs::path& folder) {
  folder_listing listing;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (is_unaddressable_name(name)) {
      listing.unaddressable.push_back(std::move(name));
      continue;
    }
    std::error_code ignored;
    bool is_link = it->is_symlink(ignored);
    bool is_folder = it->is_directory(ignored);
    listing.entries.push_back({std::move(name), is_folder, is_link});
  }
  std::sort(listing.entries.begin(), listing.entries.end(),
            [](const folder_entry& a, const folder_entry& b) { return folded_less(a.name, b.name); });
  std::sort(listing.unaddressable.begin(), listing.unaddressable.end(), folded_less);
  return listing;
}

std::string printable_name(std::string_view name) {
  std::string shown(name);
  for (char& c : shown) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) c = '?';
  }
  return shown;
}

}  // namespace docbase
