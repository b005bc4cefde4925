#include <sstream>
#include <string>

#include "records/text.h"
#include "workspace/host_path.h"
#include "workspace/shell_commands.h"
#include "workspace/shell_names.h"
#include "workspace/shell_sort.h"

namespace docbase {
namespace fs = std::filesystem;

namespace {

bool is_file(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

std::string upper_ascii(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return result;
}

// Finds any of the texts in lines, with or without regard to ASCII case.
class line_matcher {
 public:
  line_matcher(std::vector<std::string> texts, bool ignore_case) : texts_(std::move(texts)), ignore_case_(ignore_case) {
    if (ignore_case_)
      for (std::string& text : texts_) text = lower_ascii(text);
  }
  bool matches(const std::string& line) {
    std::string_view seen = line;
    if (ignore_case_) {
      folded_.assign(line);
      for (char& c : folded_) c = lower_ascii(c);
      seen = folded_;
    }
    for (const std::string& text : texts_)
      if (seen.find(text) != std::string_view::npos) return true;
    return false;
  }

 private:
  std::vector<std::string> texts_;
  bool ignore_case_;
  std::string folded_;
};

}  // namespace

// sort input [/o output]: the lines of input in folded order (folded_less),
// to output or, without /o, to the command's output.
void run_sort(const shell_context& context, const shell_words& arguments) {
  const shell_word* input = nullptr;
  const shell_word* output = nullptr;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const shell_word& word = arguments[i];
    if (is_switch(word)) {
      if (lower_ascii(word.text) != "/o" || i + 1 >= arguments.size() || output != nullptr) {
        context.fail("Invalid switch.");
        return;
      }
      output = &arguments[++i];
    } else if (input == nullptr) {
      input = &word;
    } else {
      context.fail("The syntax of the command is incorrect.");
      return;
    }
  }
  if (input == nullptr) {
    context.fail("The syntax of the command is incorrect.");
    return;
  }
  std::optional<fs::path> input_path = context.confined(input->text);
  if (!input_path) return;
  std::optional<fs::path> output_path;
  if (output != nullptr) {
    output_path = context.confined(output->text);
    if (!output_path) return;
    fs::path parent = output_path->parent_path();
    std::error_code error;
    if (!fs::is_directory(parent.empty() ? fs::path(".") : parent, error)) {
      context.fail("The system cannot find the path specified.");
      return;
    }
    if (fs::is_directory(*output_path, error)) {
      context.fail("Access is denied.");
      return;
    }
  }
  line_reader reader(*input_path);
  if (!reader.is_open() || !is_file(*input_path)) {
    context.fail("The system cannot find the file specified.");
    return;
  }
  line_sorter sorter(sort_run_bytes());
  std::string line;
  while (reader.next(line)) sorter.add(line);
  if (!sorter.ok()) {
    context.fail("There is not enough space on the disk.");
    return;
  }
  if (!output_path) {
    sorter.write_sorted(context.out);
    return;
  }
  std::error_code error;
  bool existed = fs::exists(*output_path, error);
  std::ostringstream unused;
  shell_output sorted(unused);
  if (!sorted.redirect(*output_path, false)) {
    context.fail("The system cannot find the path specified.");
    return;
  }
  if (!existed) note_folder_changed(*output_path);
  sorter.write_sorted(sorted);
  if (!sorted.close()) context.fail("There is not enough space on the disk.");
}

// find [/i] [/c] [/v] [/n] "text" files: for each file a blank line and a
// heading "---------- NAME" (the name as written, in capitals), then the lines
// that hold the text; with /c the heading ends with ": " and their number.
void run_find(const shell_context& context, const shell_words& arguments) {
  bool ignore_case = false, count = false, invert = false, numbered = false;
  const shell_word* text = nullptr;
  std::vector<const shell_word*> files;
  for (const shell_word& word : arguments) {
    if (is_switch(word)) {
      std::string name = lower_ascii(word.text);
      if (name == "/i")
        ignore_case = true;
      else if (name == "/c")
        count = true;
      else if (name == "/v")
        invert = true;
      else if (name == "/n")
        numbered = true;
      else {
        context.fail("FIND: Parameter format not correct");
        return;
      }
    } else if (text == nullptr) {
      text = &word;
    } else {
      files.push_back(&word);
    }
  }
  if (text == nullptr || !text->quoted || files.empty()) {
    context.fail("FIND: Parameter format not correct");
    return;
  }
  for (const shell_word* file : files)
    if (!context.confined(file->text)) return;
  line_matcher matcher({text->text}, ignore_case);
  for (const shell_word* file : files) {
    fs::path path = *host_path(file->text);
    line_reader reader(path);
    if (!reader.is_open() || !is_file(path)) {
      context.fail("File not found - " + upper_ascii(printable_name(file->text)));
      continue;
    }
    std::string heading = "---------- " + upper_ascii(file->text);
    std::string line;
    std::size_t found = 0, number = 0;
    if (!count) {
      context.out.write_line("");
      context.out.write_line(heading);
    }
    while (reader.next(line)) {
      ++number;
      if (matcher.matches(line) == invert) continue;
      ++found;
      if (count) continue;
      if (numbered)
        context.out.write_line("[" + std::to_string(number) + "]" + line);
      else
        context.out.write_line(line);
    }
    if (count) {
      context.out.write_line("");
      context.out.write_line(heading + ": " + std::to_string(found));
    }
  }
}

// findstr [/i] [/l] [/v] "words" files: the lines that hold any of the
// blank-separated words, compared as plain text; with several files each
// line is preceded by its file's name and a colon.
void run_findstr(const shell_context& context, const shell_words& arguments) {
  bool ignore_case = false, invert = false;
  const shell_word* text = nullptr;
  std::vector<const shell_word*> files;
  for (const shell_word& word : arguments) {
    if (is_switch(word) && text == nullptr) {
      std::string name = lower_ascii(word.text);
      if (name == "/i") {
        ignore_case = true;
      } else if (name == "/v") {
        invert = true;
      } else if (name != "/l") {
        context.fail("FINDSTR: /" + word.text.substr(1) + " ignored");
        continue;
      }
    } else if (text == nullptr) {
      text = &word;
    } else {
      files.push_back(&word);
    }
  }
  std::vector<std::string> words;
  if (text != nullptr) {
    std::size_t start = 0;
    while (start < text->text.size()) {
      std::size_t end = text->text.find(' ', start);
      if (end == std::string::npos) end = text->text.size();
      if (end > start) words.push_back(text->text.substr(start, end - start));
      start = end + 1;
    }
  }
  if (words.empty() || files.empty()) {
    context.fail("FINDSTR: Bad command line");
    return;
  }
  for (const shell_word* file : files)
    if (!context.confined(file->text)) return;
  line_matcher matcher(words, ignore_case);
  for (const shell_word* file : files) {
    fs::path path = *host_path(file->text);
    line_reader reader(path);
    if (!reader.is_open() || !is_file(path)) {
      context.fail("FINDSTR: Cannot open " + printable_name(file->text));
      continue;
    }
    std::string line;
    while (reader.next(line)) {
      if (matcher.matches(line) == invert) continue;
      if (files.size() > 1)
        context.out.write_line(file->text + ":" + line);
      else
        context.out.write_line(line);
    }
  }
}

}  // namespace docbase
