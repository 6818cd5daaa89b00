// The READMEs count what the repository holds (shipped levels, sounds, sheets): a count
// that no longer matches the files is a stale figure.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

int FilesIn(const fs::path& folder, const std::string& extension) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == extension;
  return count;
}

const char* const NumberWords[] = {"zero",     "one",      "two",      "three",   "four",    "five",
                                   "six",      "seven",    "eight",    "nine",    "ten",     "eleven",
                                   "twelve",   "thirteen", "fourteen", "fifteen", "sixteen", "seventeen",
                                   "eighteen", "nineteen", "twenty"};

// "20" or "twenty"; "thirty" is the one word above twenty the READMEs might use.
int CountIn(const std::string& word) {
  if (std::isdigit(static_cast<unsigned char>(word[0]))) return std::stoi(word);
  for (int n = 0; n <= 20; ++n)
    if (word == NumberWords[n]) return n;
  return 30;
}

TEST(Readme, CountsMatchTheRepository) {
  const fs::path root = TOBU_SOURCE_DIR;
  const int levels = FilesIn(root / "Levels", ".vel"), sounds = FilesIn(root / "assets/sounds", ".wav");
  const int sheets = FilesIn(root / "assets/sheets", ".bmp");
  std::string numbers = "[0-9]+|thirty";
  for (const char* word : NumberWords) numbers += std::string("|") + word;
  const std::regex phrase("\\b(" + numbers + ")(?: [a-z]+)? (shipped levels|sounds|sound effects|sheets)\\b");
  for (const char* name : {"README.md", "assets/README.md"}) {
    std::ifstream in(root / name);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty()) << name;
    for (std::sregex_iterator it(text.begin(), text.end(), phrase), end; it != end; ++it) {
      const int said = CountIn((*it)[1]);
      const std::string things = (*it)[2];
      EXPECT_EQ(said, things == "shipped levels" ? levels
                      : things == "sheets"       ? sheets
                                                 : sounds)
          << name << ": \"" << (*it)[0] << "\"";
    }
  }
}

}  // namespace
