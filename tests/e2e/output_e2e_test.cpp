// A whole run on the bundled sample texts, and a check of every link of the
// document base it leaves in htm_out.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace docbase::testing {
namespace {

namespace fs = std::filesystem;

class output_e2e_test : public temp_folder_test {};

// The values of every attribute named name in the page (blanks allowed
// around the equals sign, as the contents page writes its ids).
std::vector<std::string> attribute_values(const std::string& page, const std::string& name) {
  std::vector<std::string> values;
  const std::regex attribute("(^|[^A-Za-z_-])" + name + R"re(\s*=\s*"([^"]*)")re");
  for (std::sregex_iterator it(page.begin(), page.end(), attribute), end; it != end; ++it)
    values.push_back((*it)[2].str());
  return values;
}

TEST_F(output_e2e_test, every_link_of_the_document_base_leads_to_a_file_and_an_anchor) {
  fs::copy(fs::path(DOCBASE_SOURCE_DIR) / "samples" / "txt_in", folder() / "txt_in", fs::copy_options::recursive);
  ASSERT_FALSE(fs::is_empty(folder() / "txt_in")) << "no sample texts";

  program_result result = run_program(folder(), "1111\n1");
  ASSERT_EQ(result.status, 0) << result.err;

  const fs::path output = folder() / "htm_out";
  ASSERT_TRUE(fs::is_directory(output)) << result.out;
  std::map<std::string, std::string> pages;
  for (const fs::directory_entry& entry : fs::directory_iterator(output))
    if (entry.is_regular_file()) pages[entry.path().filename().string()] = read_file(entry.path());
  for (const char* name : {"files_list.htm", "index.htm", "i_1.htm", "s_1.htm", "page_01.htm"})
    EXPECT_TRUE(pages.count(name)) << name << " missing from htm_out";

  std::map<std::string, std::set<std::string>> ids;
  for (const auto& [name, text] : pages) {
    for (const std::string& id : attribute_values(text, "id")) ids[name].insert(id);
  }

  std::size_t checked = 0;
  for (const auto& [name, text] : pages) {
    for (const std::string& href : attribute_values(text, "href")) {
      if (href.find("://") != std::string::npos) continue;  // the web, not the document base
      std::size_t hash = href.find('#');
      std::string file = href.substr(0, hash);
      std::string target = file.empty() ? name : file;
      ++checked;
      if (!pages.count(target)) {
        ADD_FAILURE() << name << ": link to a missing file: " << href;
        continue;
      }
      if (hash == std::string::npos) continue;
      std::string fragment = href.substr(hash + 1);
      EXPECT_TRUE(ids[target].count(fragment)) << name << ": link to a missing anchor: " << href;
    }
  }
  EXPECT_GT(checked, 0u);
}

}  // namespace
}  // namespace docbase::testing
