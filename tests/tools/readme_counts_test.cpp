// The READMEs count what the repository holds (shipped levels, sounds, sheets): a count
// that no longer matches the files is a stale figure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/brushes.h"

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

// "20" or "twenty" (or "thirty"); -1 for a word that is no count.
int CountIn(const std::string& word) {
  if (std::isdigit(static_cast<unsigned char>(word[0]))) return std::stoi(word);
  for (int n = 0; n <= 20; ++n)
    if (word == NumberWords[n]) return n;
  return word == "thirty" ? 30 : -1;
}

// The text's words: runs of letters and digits (a number's commas dropped).
std::vector<std::string> WordsOf(const std::string& text) {
  std::vector<std::string> words(1);
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      words.back() += c;
    } else if (c != ',' && !words.back().empty()) {
      words.emplace_back();
    }
  }
  return words;
}

// Every "COUNT [word] things" of the READMEs, e.g. "20 shipped levels" or "fourteen
// generated sheets", against the files.
TEST(Readme, CountsMatchTheRepository) {
  const fs::path root = TOBU_SOURCE_DIR;
  const int sounds = FilesIn(root / "assets/sounds", ".wav");
  const struct {
    std::vector<std::string> Words;
    int Count;
  } things[] = {{{"shipped", "levels"}, FilesIn(root / "Levels", ".vel")},
                {{"sounds"}, sounds},
                {{"sound", "effects"}, sounds},
                {{"sheets"}, FilesIn(root / "assets/sheets", ".bmp")}};
  for (const char* name : {"README.md", "assets/README.md", "docs/plus.md", "docs/reference.md"}) {
    std::ifstream in(root / name);
    const std::vector<std::string> words =
        WordsOf(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    ASSERT_GT(words.size(), 100u) << name;
    for (size_t i = 0; i + 3 < words.size(); ++i) {
      const int said = CountIn(words[i]);
      if (said < 0) continue;
      for (const auto& thing : things) {
        for (const size_t skip : {size_t{1}, size_t{2}}) {
          const auto at = words.begin() + static_cast<long>(i + skip);
          if (std::equal(thing.Words.begin(), thing.Words.end(), at)) {
            EXPECT_EQ(said, thing.Count) << name << ": " << words[i] << " ... " << thing.Words.back();
          }
        }
      }
    }
  }
}

std::string FileText(const fs::path& path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The editor's brushes and the level sources' object kinds, as the READMEs name them, come
// from the tables the game reads: a brush or kind added there and not here is caught.
TEST(Readme, BrushesAndKindsMatchTheirTables) {
  std::string brushes = "| editor | ";
  for (int brush = 1; brush <= tobu::BrushCount; ++brush)
    brushes += std::to_string(brush) + " " + std::string(tobu::FindBrush(brush)->Label) +
               (brush < tobu::BrushCount ? ", " : "; ");
  std::string kinds = "`object: ", cells;
  for (const tobu::ObjectKindRow& kind : tobu::ObjectKinds) {
    kinds += std::string(kind.SourceName) + (&kind == &tobu::ObjectKinds.back() ? " X Y`" : "|");
    cells += std::string("| `") + kind.SourceCell + "` | " + std::string(kind.SourceName) + " |\n";
  }
  const fs::path root = TOBU_SOURCE_DIR;
  const struct {
    const char* File;
    std::string Text;
  } expected[] = {{"README.md", brushes}, {"levels/README.md", kinds}, {"levels/README.md", cells}};
  for (const auto& [file, text] : expected)
    EXPECT_NE(FileText(root / file).find(text), std::string::npos) << file << " lacks:\n" << text;
}

}  // namespace
