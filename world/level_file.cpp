#include "world/level_file.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>
#include <vector>

#include "world/bytes.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/numeric.h"

namespace tobu {
namespace {

constexpr int64_t GridBytes = int64_t{GridSize} * GridSize;  // 10201
constexpr int64_t ObjectCountOffset = GridBytes;
constexpr int64_t ObjectRecordBytes = 9;
constexpr int64_t EmptyLevelBytes = GridBytes + 4 + 4 + 4;  // 10213
constexpr uint8_t LongestName = 8;

// Everything parsed from a file before any of it reaches the world.
struct ParsedLevel {
  std::array<uint8_t, GridSize * GridSize> TileGrid{};
  std::vector<LevelObject> Objects;
  int32_t StartX = 0;
  int32_t StartY = 0;
  LoadedLevelInfo Info;
};

int32_t ObjectCountIn(const std::vector<uint8_t>& bytes) {
  ByteReader reader(std::span<const uint8_t>(bytes).subspan(static_cast<size_t>(ObjectCountOffset), 4));
  return reader.I32();
}

// A file too short for its grid, its objects and its start, or with a negative count,
// was not written by this game: it is refused before anything is read from it.
void CheckLevelSize(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  const auto size = static_cast<int64_t>(bytes.size());
  if (size < EmptyLevelBytes) throw FileError::Damaged(fileName);
  const int32_t count = ObjectCountIn(bytes);
  if (count < 0 || EmptyLevelBytes + ObjectRecordBytes * count > size) {
    throw FileError::Damaged(fileName);
  }
}

// The file stores the grid row by row; memory holds it column by column.
void ReadGrid(ByteReader& reader, std::array<uint8_t, GridSize * GridSize>& grid) {
  for (int row = 0; row < GridSize; ++row) {
    for (int column = 0; column < GridSize; ++column) grid[column * GridSize + row] = reader.U8();
  }
}

// Kind (1 byte), X (4), Y (4).
LevelObject ReadObject(ByteReader& reader) {
  LevelObject object;
  object.Kind = reader.U8();
  object.X = reader.I32();
  object.Y = reader.I32();
  return object;
}

// A time cut short by the end of the file keeps the bytes that are there; the missing
// high-order bytes count as 0.
int32_t ReadTimeAsFarAsPresent(ByteReader& reader) {
  uint32_t value = 0;
  for (int i = 0; i < 4 && reader.Has(1); ++i) value |= static_cast<uint32_t>(reader.U8()) << (8 * i);
  return static_cast<int32_t>(value);
}

// The table after the start: a count, then per entry a name length, the name and the
// time. A count of 0 or above 10 reads nothing; a name length above 8 ends the table.
// A table cut short by the end of the file keeps what was read.
BestTimes ReadBestTimes(ByteReader& reader) {
  BestTimes times;
  if (!reader.Has(1)) return times;
  const uint8_t count = reader.U8();
  if (count == 0 || count > BestPlaces) return times;
  for (int place = 1; place <= count && reader.Has(1); ++place) {
    const uint8_t length = reader.U8();
    if (length > LongestName) break;
    const size_t present = std::min<size_t>(length, reader.Remaining());
    times.BestNames[place] = reader.Text(present);
    times.BestTime[place] = ReadTimeAsFarAsPresent(reader);
  }
  return times;
}

// The game's own levels stay within a few thousand pixels of the world. A position near
// the ends of the 32-bit range would overflow the pixel sums of motion, collision and
// drawing, so such a file is refused as damaged.
constexpr int32_t FarthestCoordinate = 1 << 30;

bool FarOut(int32_t value) { return value < -FarthestCoordinate || value > FarthestCoordinate; }

void CheckCoordinates(const std::string& fileName, const ParsedLevel& level) {
  bool far = FarOut(level.StartX) || FarOut(level.StartY);
  for (const LevelObject& object : level.Objects) far = far || FarOut(object.X) || FarOut(object.Y);
  if (far) throw FileError::Damaged(fileName);
}

ParsedLevel ParseLevel(const std::string& fileName, const std::vector<uint8_t>& bytes) {
  CheckLevelSize(fileName, bytes);
  ParsedLevel level;
  ByteReader reader(bytes);
  ReadGrid(reader, level.TileGrid);
  const int32_t count = reader.I32();
  level.Objects.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) level.Objects.push_back(ReadObject(reader));
  level.StartX = reader.I32();
  level.StartY = reader.I32();
  CheckCoordinates(fileName, level);
  level.Info.BestTimesOffset = static_cast<int32_t>(reader.Position());
  level.Info.HadTable = reader.Remaining() > 0;
  if (level.Info.HadTable) level.Info.Times = ReadBestTimes(reader);
  return level;
}

}  // namespace

LoadedLevelInfo LoadLevel(const std::string& fileName, World& world) {
  ParsedLevel level = ParseLevel(fileName, ReadWholeFile(fileName));
  world.TileGrid = level.TileGrid;
  world.ReplaceObjects(std::move(level.Objects));
  world.RunnerX = static_cast<double>(level.StartX);
  world.RunnerY = static_cast<double>(level.StartY);
  world.CenterCamera();
  return level.Info;
}

void SaveLevel(const std::string& fileName, const World& world) {
  ByteWriter writer;
  for (int row = 0; row < GridSize; ++row) {
    for (int column = 0; column < GridSize; ++column) writer.U8(world.Cell(column, row));
  }
  writer.I32(world.ObjectCount);
  for (const LevelObject& object : world.ObjectList) {
    writer.U8(object.Kind);
    writer.I32(object.X);
    writer.I32(object.Y);
  }
  // The start is the runner's position, rounded half to even.
  writer.I32(RoundPixel(world.RunnerX));
  writer.I32(RoundPixel(world.RunnerY));
  ReplaceFile(fileName, writer.Bytes());
}

void WriteBestTimes(const std::string& fileName, int32_t offset, const BestTimes& times) {
  ByteWriter writer;
  uint8_t used = 0;
  for (int place = 1; place <= BestPlaces; ++place) used += times.BestNames[place].empty() ? 0 : 1;
  writer.U8(used);
  for (int place = 1; place <= BestPlaces; ++place) {
    const std::string& name = times.BestNames[place];
    if (name.empty()) continue;
    writer.U8(static_cast<uint8_t>(name.size()));
    writer.Text(name);
    writer.I32(times.BestTime[place]);
  }
  // The table goes into a copy of the whole file that then replaces it, so a write cut
  // short leaves the old table whole; bytes past a shorter new table stay as they were.
  // A file shorter than its table's offset is no longer the level that was ranked
  // (replaced or cut short since it was loaded): it is refused rather than grown, and
  // a read-only level keeps its times.
  std::vector<uint8_t> bytes = ReadWholeFile(fileName);
  if (offset < EmptyLevelBytes || bytes.size() < static_cast<size_t>(offset) ||
      ::access(fileName.c_str(), W_OK) != 0) {
    throw FileError::CannotOpen(fileName);
  }
  const std::vector<uint8_t>& table = writer.Bytes();
  bytes.resize(std::max(bytes.size(), static_cast<size_t>(offset) + table.size()));
  std::copy(table.begin(), table.end(), bytes.begin() + offset);
  try {
    ReplaceFile(fileName, bytes);
  } catch (const FileError&) {
    throw FileError::CannotOpen(fileName);
  }
}

}  // namespace tobu
