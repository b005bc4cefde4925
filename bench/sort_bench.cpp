// Sorts one million record lines like those of wrd_07.txt with sort_file and
// with `LC_ALL=C sort`, and prints both times and their ratio:
//   sort_bench [lines]
// Works in a fresh folder under the system's temporary folder.

#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "records/merge_sort.h"
#include "records/record_file.h"

namespace {

namespace fs = std::filesystem;

// splitmix64: the same lines on every platform.
struct random_source {
  std::uint64_t state = 20240601;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};

std::string padded(std::uint64_t value, std::size_t width, char pad) {
  std::string digits = std::to_string(value);
  return std::string(width > digits.size() ? width - digits.size() : 0, pad) + digits;
}

// Lines of reverse occurrence, word id, page, line, column, word, word id,
// occurrence number, the words drawn with Zipf-like frequencies.
void write_table(const char* name, std::size_t lines) {
  random_source random;
  const char* syllables[] = {"ka", "lo", "mi", "ne", "su", "ta", "ri", "vo", "el", "an", "or", "ux"};
  docbase::record_file file;
  file.open_for_output(name);
  for (std::size_t i = 0; i < lines; ++i) {
    std::size_t rank = 1 + random.below(1 + random.below(50000));
    std::string word;
    for (std::size_t r = rank; r > 0; r /= 12) word += syllables[r % 12];
    std::string id = "id" + padded(rank * 37, 8, '0');
    std::uint64_t occurrence = 1 + random.below(1 + 400000 / rank);
    std::string page = "page_" + padded(1 + random.below(1000), 4, '0') + ".htm";
    file.write_record({padded(100000000 - occurrence, 8, '0'), id, page, padded(1 + random.below(300), 10, ' '),
                       padded(1 + random.below(120), 6, ' '), word, id, std::to_string(occurrence)});
  }
}

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string without_cr(const char* name) {
  std::ifstream in(name, std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::erase(bytes, '\r');
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t lines = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  std::string pattern = (fs::temp_directory_path() / "sort_bench_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  fs::path folder = pattern;
  fs::current_path(folder);

  write_table("wrd_07.txt", lines);
  std::printf("%zu lines, %.1f MB\n", lines, static_cast<double>(fs::file_size("wrd_07.txt")) / 1e6);

  auto start = std::chrono::steady_clock::now();
  docbase::sort_file("wrd_07.txt", "wrd_08.txt");
  double ours = seconds_since(start);

  start = std::chrono::steady_clock::now();
  int status = std::system("LC_ALL=C sort wrd_07.txt -o c_sort.txt");
  double theirs = seconds_since(start);

  bool same = status == 0 && without_cr("wrd_08.txt") == without_cr("c_sort.txt");
  std::printf("sort_file        %7.3f s\n", ours);
  std::printf("LC_ALL=C sort    %7.3f s\n", theirs);
  std::printf("ratio            %7.2f\n", ours / theirs);
  std::printf("same order       %s\n", same ? "yes" : "NO");

  fs::current_path(folder.parent_path());
  fs::remove_all(folder);
  return same ? 0 : 1;
}
