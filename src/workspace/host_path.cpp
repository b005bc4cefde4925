#include "workspace/host_path.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "records/text.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

// The names of one folder by their folded form. A lookup that misses the exact
// name consults this index; it is rebuilt when the folder's modification time
// is not the one it was built (or last updated by this process) at, so that a
// loop creating thousands of files never rescans the folder per file.
struct folder_index {
  fs::file_time_type stamp;
  std::unordered_map<std::string, std::string> by_folded_name;
};

std::unordered_map<std::string, folder_index>& folder_indexes() {
  static std::unordered_map<std::string, folder_index> indexes;
  return indexes;
}

const folder_index* fresh_index(const fs::path& folder) {
  std::error_code error;
  fs::file_time_type stamp = fs::last_write_time(folder, error);
  if (error) return nullptr;
  folder_index& index = folder_indexes()[folder.lexically_normal().string()];
  if (index.stamp == stamp && !index.by_folded_name.empty()) return &index;
  index.stamp = stamp;
  index.by_folded_name.clear();
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::string folded = lower_ascii(name);
    auto [slot, added] = index.by_folded_name.emplace(folded, name);
    // Of two names that differ only in case, the smaller in byte order wins,
    // so that the choice does not depend on the order of the folder.
    if (!added && name < slot->second) slot->second = name;
  }
  return &index;
}

// Drops the folder's index when something else changed the folder since, so
// that note_folder_changed only ever updates an index that was right.
void forget_stale_index(const fs::path& folder) {
  auto found = folder_indexes().find(folder.lexically_normal().string());
  if (found == folder_indexes().end()) return;
  std::error_code error;
  if (fs::last_write_time(folder, error) != found->second.stamp || error) folder_indexes().erase(found);
}

std::string matching_name(const fs::path& folder, const std::string& name) {
  std::error_code error;
  forget_stale_index(folder);
  if (fs::symlink_status(folder / name, error).type() != fs::file_type::not_found && !error) return name;
  const folder_index* index = fresh_index(folder);
  if (index == nullptr) return name;
  auto found = index->by_folded_name.find(lower_ascii(name));
  return found == index->by_folded_name.end() ? name : found->second;
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::optional<fs::path> host_path(std::string_view program_path) {
  if (program_path.find('\0') != std::string_view::npos) return std::nullopt;
  if (!program_path.empty() && is_separator(program_path.front())) return std::nullopt;
  if (program_path.size() >= 2 && program_path[1] == ':') return std::nullopt;

  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= program_path.size()) {
    std::size_t end = start;
    while (end < program_path.size() && !is_separator(program_path[end])) ++end;
    std::string name(program_path.substr(start, end - start));
    if (name == "..") return std::nullopt;
    if (!name.empty() && name != ".") names.push_back(std::move(name));
    start = end + 1;
  }

  fs::path result = ".";
  for (const std::string& name : names) result /= matching_name(result, name);
  return result.lexically_normal();
}

bool is_unaddressable_name(std::string_view name) {
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127 || c == '\\' || c == '/' || c == '"') return true;
  }
  return false;
}

void note_folder_changed(const fs::path& entry) {
  fs::path folder = entry.parent_path();
  if (folder.empty()) folder = ".";
  auto found = folder_indexes().find(folder.lexically_normal().string());
  if (found == folder_indexes().end()) return;
  std::error_code error;
  folder_index& index = found->second;
  std::string name = entry.filename().string();
  std::string folded = lower_ascii(name);
  if (fs::symlink_status(entry, error).type() == fs::file_type::not_found) {
    // A removal. Another entry may differ from it only in case; then the index
    // is rebuilt at its next use rather than guessed.
    auto slot = index.by_folded_name.find(folded);
    if (slot != index.by_folded_name.end() && slot->second != name) {
      folder_indexes().erase(found);
      return;
    }
    if (slot != index.by_folded_name.end()) index.by_folded_name.erase(slot);
  } else {
    index.by_folded_name.emplace(folded, name);
  }
  index.stamp = fs::last_write_time(folder, error);
  if (error) folder_indexes().erase(found);
}

}  // namespace docbase
