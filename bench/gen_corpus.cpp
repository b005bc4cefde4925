// Writes a deterministic corpus of texts for whole-run benchmarks:
//   gen_corpus <folder> <texts> <words per text> [seed]
// The texts go to <folder>/txt_in/text_NNNNN.txt. The vocabulary holds about
// 50,000 words drawn with Zipf-like frequencies; words carry punctuation and
// capitals now and then, about 5% are non-ASCII, some are numbers; lines hold
// 8 to 14 words, with blank and indented lines between them.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// splitmix64: the same numbers on every platform and standard library.
struct random_source {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
};

std::vector<std::string> make_vocabulary(random_source& random, std::size_t size) {
  static const char* syllables[] = {"ka", "lo", "mi", "ne", "ru", "sa", "te", "vi", "do", "pe", "ba", "gu",
                                    "zo", "fi", "ha", "je", "tro", "str", "an", "el", "or", "is", "un", "qua"};
  static const char* accented[] = {"\xC3\xA9", "\xC3\xBC", "\xC3\x9F", "\xC5\xA1", "\xD0\xB4", "\xD0\xB6",
                                   "\xC3\xB1", "\xC4\x8D"};
  std::vector<std::string> words;
  std::vector<std::string> seen;
  words.reserve(size);
  while (words.size() < size) {
    std::string word;
    std::size_t parts = 1 + random.below(4);
    for (std::size_t i = 0; i < parts; ++i) word += syllables[random.below(std::size(syllables))];
    if (random.below(100) < 5) word.insert(random.below(word.size() + 1), accented[random.below(std::size(accented))]);
    if (random.below(100) < 3) word = std::to_string(random.below(100000));
    words.push_back(word);
  }
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  // Shuffle so that frequency rank does not follow alphabetical order.
  for (std::size_t i = words.size(); i > 1; --i) std::swap(words[i - 1], words[random.below(i)]);
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: gen_corpus <folder> <texts> <words per text> [seed]\n");
    return 2;
  }
  std::filesystem::path folder = std::filesystem::path(argv[1]) / "txt_in";
  long texts = std::stol(argv[2]);
  long words_per_text = std::stol(argv[3]);
  random_source random{argc > 4 ? std::stoull(argv[4]) : 20261211ULL};
  std::filesystem::create_directories(folder);

  std::vector<std::string> vocabulary = make_vocabulary(random, 52000);
  std::vector<double> cumulative(vocabulary.size());
  double total = 0;
  for (std::size_t rank = 0; rank < vocabulary.size(); ++rank) cumulative[rank] = total += 1.0 / (rank + 1.0);

  static const char* punctuation[] = {",", ".", ";", ":", "!", "?", ")", "\""};
  char name[64];
  for (long t = 1; t <= texts; ++t) {
    std::snprintf(name, sizeof name, "text_%05ld.txt", t);
    std::ofstream out(folder / name, std::ios::binary);
    std::string text;
    long written = 0;
    while (written < words_per_text) {
      std::size_t line_words = 8 + random.below(7);
      std::size_t shape = random.below(20);
      if (shape == 0) text += "\r\n";
      if (shape == 1) text += std::string(1 + random.below(6), ' ');
      for (std::size_t i = 0; i < line_words && written < words_per_text; ++i, ++written) {
        double pick = random.unit() * total;
        std::size_t rank = std::lower_bound(cumulative.begin(), cumulative.end(), pick) - cumulative.begin();
        std::string word = vocabulary[std::min(rank, vocabulary.size() - 1)];
        if (random.below(100) < 8 && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
        if (random.below(100) < 3) word = "\"" + word;
        if (random.below(100) < 12) word += punctuation[random.below(std::size(punctuation))];
        if (i > 0) text += ' ';
        text += word;
      }
      text += "\r\n";
    }
    out << text;
  }
  return 0;
}
