#include "tools/levelc/level_source.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "world/file_error.h"
#include "world/level_file.h"
#include "world/object_kinds.h"

namespace tobu {
namespace {

struct Start {
  int32_t X = 0;
  int32_t Y = 0;
};

// What has been read so far, before it becomes a World.
struct SourceLevel {
  World Level;
  std::vector<LevelObject> GridObjects;
  std::vector<LevelObject> ListedObjects;
  std::optional<Start> StartAt;
  int Rows = 0;
  bool InGrid = false;
};

[[noreturn]] void Fail(int lineNumber, const std::string& message) {
  throw LevelSourceError("line " + std::to_string(lineNumber) + ": " + message);
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

int32_t Number(const std::string& word, int lineNumber) {
  int32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [rest, error] = std::from_chars(word.data(), end, value);
  if (error != std::errc() || rest != end) Fail(lineNumber, "not a whole number: '" + word + "'");
  return value;
}

std::optional<uint8_t> KindByName(const std::string& name) {
  for (const ObjectKindRow& row : ObjectKinds)
    if (row.SourceName == name) return row.Kind;
  return std::nullopt;
}

// "food, killer or exit"
std::string KindNames() {
  std::string names;
  for (size_t i = 0; i < ObjectKinds.size(); ++i) {
    if (i > 0) names += i + 1 == ObjectKinds.size() ? " or " : ", ";
    names += ObjectKinds[i].SourceName;
  }
  return names;
}

void SetStart(SourceLevel& source, Start start, int lineNumber) {
  if (source.StartAt) Fail(lineNumber, "a second start");
  source.StartAt = start;
}

void ReadHeader(SourceLevel& source, const std::string& line, int lineNumber) {
  const size_t colon = line.find(':');
  if (colon == std::string::npos) Fail(lineNumber, "expected 'key: value' or 'grid:'");
  const std::string key = line.substr(0, colon);
  const std::vector<std::string> values = Words(line.substr(colon + 1));
  if (key == "grid" && values.empty()) {
    source.InGrid = true;
  } else if (key == "name") {
    // Only for the reader: the file name is what the level list shows.
  } else if (key == "start" && values.size() == 2) {
    SetStart(source, {Number(values[0], lineNumber), Number(values[1], lineNumber)}, lineNumber);
  } else if (key == "object" && values.size() == 3) {
    const std::optional<uint8_t> kind = KindByName(values[0]);
    if (!kind) Fail(lineNumber, "object kind must be " + KindNames());
    source.ListedObjects.push_back({*kind, Number(values[1], lineNumber), Number(values[2], lineNumber)});
  } else {
    Fail(lineNumber, "unknown header line '" + line + "'");
  }
}

void ReadCell(SourceLevel& source, char symbol, int column, int row, int lineNumber) {
  for (const ObjectKindRow& kind : ObjectKinds) {
    if (kind.SourceCell == symbol) return source.GridObjects.push_back(ObjectInCell(kind.Kind, column, row));
  }
  switch (symbol) {
    case '.':
      return;
    case '#':
      source.Level.SetCell(column, row, TileGround);
      return;
    case '=':
      source.Level.SetCell(column, row, TileGrass);
      return;
    case 'S':
      SetStart(source, {column * CellWidth + 20, row * CellHeight + CellHeight - 1}, lineNumber);
      return;
    default:
      Fail(lineNumber, std::string("unknown cell '") + symbol + "'");
  }
}

void ReadRow(SourceLevel& source, const std::string& line, int lineNumber) {
  if (source.Rows == GridSize) Fail(lineNumber, "more than 101 rows");
  if (line.size() > static_cast<size_t>(GridSize)) Fail(lineNumber, "more than 101 cells in a row");
  for (size_t column = 0; column < line.size(); ++column) {
    ReadCell(source, line[column], static_cast<int>(column), source.Rows, lineNumber);
  }
  ++source.Rows;
}

}  // namespace

LevelObject ObjectInCell(uint8_t kind, int column, int row) {
  return {kind, column * CellWidth, row * CellHeight + CellHeight - 40};
}

World ParseLevelSource(const std::string& text) {
  SourceLevel source;
  std::istringstream lines(text);
  int lineNumber = 0;
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == ';') continue;
    if (source.InGrid) {
      ReadRow(source, line, lineNumber);
    } else if (!line.empty()) {
      ReadHeader(source, line, lineNumber);
    }
  }
  if (!source.InGrid) throw LevelSourceError("no 'grid:' line");
  if (!source.StartAt) throw LevelSourceError("no start: give 'start: X Y' or an S in the grid");
  std::vector<LevelObject> objects = std::move(source.GridObjects);
  objects.insert(objects.end(), source.ListedObjects.begin(), source.ListedObjects.end());
  source.Level.ReplaceObjects(std::move(objects));
  source.Level.RunnerX = source.StartAt->X;
  source.Level.RunnerY = source.StartAt->Y;
  return source.Level;
}

void CompileLevelFile(const std::string& sourcePath, const std::string& levelPath) {
  std::ifstream in(sourcePath, std::ios::binary);
  if (!in) throw FileError::CannotOpen(sourcePath);
  std::ostringstream text;
  text << in.rdbuf();
  SaveLevel(levelPath, ParseLevelSource(text.str()));
}

}  // namespace tobu
