#include "world/level_file.h"

#include <algorithm>
#include <array>
#include <utility>
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

int32_t ObjectCountIn(std::span<const uint8_t> bytes) {
  ByteReader reader(bytes.subspan(static_cast<size_t>(ObjectCountOffset), 4));
  return reader.I32();
}

// A file too short for its grid, its objects and its start, or with a negative count,
// was not written by this game: it is refused before anything is read from it.
void CheckLevelSize(const std::string& fileName, std::span<const uint8_t> bytes) {
  const auto size = static_cast<int64_t>(bytes.size());
  if (size < EmptyLevelBytes) throw FileError::Damaged(fileName);
  const int32_t count = ObjectCountIn(bytes);
  if (count < 0 || EmptyLevelBytes + ObjectRecordBytes * count > size) {
    throw FileError::Damaged(fileName);
  }
}

using Grid = std::array<uint8_t, GridSize * GridSize>;
using GridBytesView = std::span<const uint8_t, GridSize * GridSize>;

// The file stores the grid row by row; memory holds it column by column. The same swap
// of rows and columns turns either order into the other. Both sides have the grid's
// size by their types.
void TransposeGrid(GridBytesView from, std::span<uint8_t, GridSize * GridSize> to) {
  const uint8_t* in = from.data();
  uint8_t* out = to.data();
  for (int outer = 0; outer < GridSize; ++outer) {
    for (int inner = 0; inner < GridSize; ++inner) out[inner * GridSize + outer] = *in++;
  }
}

void ReadGrid(ByteReader& reader, Grid& grid) {
  TransposeGrid(GridBytesView(reader.Block(grid.size())), grid);
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

}  // namespace

ParsedLevel ParseLevel(std::span<const uint8_t> bytes, const std::string& fileName) {
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

LoadedLevelInfo UseLevel(ParsedLevel level, World& world) {
  world.TileGrid = level.TileGrid;
  world.ReplaceObjects(std::move(level.Objects));
  world.RunnerX = static_cast<double>(level.StartX);
  world.RunnerY = static_cast<double>(level.StartY);
  world.CenterCamera();
  return level.Info;
}

LoadedLevelInfo LoadLevel(const std::string& fileName, World& world) {
  return UseLevel(ParseLevel(ReadWholeFile(fileName), fileName), world);
}

std::vector<uint8_t> LevelBytes(const World& world) {
  ByteWriter writer;
  Grid rows;
  TransposeGrid(world.TileGrid, rows);
  writer.Block(rows);
  writer.I32(world.ObjectCount);
  for (const LevelObject& object : world.ObjectList) {
    writer.U8(object.Kind);
    writer.I32(object.X);
    writer.I32(object.Y);
  }
  // The start is the runner's position, rounded half to even.
  writer.I32(RoundPixel(world.RunnerX));
  writer.I32(RoundPixel(world.RunnerY));
  return writer.Bytes();
}

void SaveLevel(const std::string& fileName, const World& world) { ReplaceFile(fileName, LevelBytes(world)); }

std::vector<uint8_t> WithBestTimes(std::vector<uint8_t> bytes, int32_t offset, const BestTimes& times,
                                   const std::string& fileName) {
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
  // A file shorter than its table's offset is no longer the level that was ranked
  // (replaced or cut short since it was loaded): it is refused rather than grown.
  if (offset < EmptyLevelBytes || bytes.size() < static_cast<size_t>(offset)) {
    throw FileError::CannotOpen(fileName);
  }
  const std::vector<uint8_t>& table = writer.Bytes();
  bytes.resize(std::max(bytes.size(), static_cast<size_t>(offset) + table.size()));
  std::copy(table.begin(), table.end(), bytes.begin() + offset);
  return bytes;
}

// The table goes into a copy of the whole file that then replaces it, so a write cut
// short leaves the old table whole. A level this user may not write keeps its times,
// as Delete keeps them; the message says what failed, as for an overwrite in place: the
// opening ("Cannot open file") or the writing ("Cannot create file", a full disk). A level
// saved again since it was loaded may hold its objects where the table was: the table is
// written only over the level it belongs to.
void WriteBestTimes(const std::string& fileName, int32_t offset, const BestTimes& times,
                    const SameLevelCheck& sameLevel) {
  std::vector<uint8_t> bytes = ReadWholeFile(fileName);
  if (sameLevel && (offset < 0 || bytes.size() < static_cast<size_t>(offset) ||
                    !sameLevel(std::span<const uint8_t>(bytes).first(static_cast<size_t>(offset))))) {
    throw FileError("The level has changed since this run started; the time was not saved");
  }
  bytes = WithBestTimes(std::move(bytes), offset, times, fileName);
  RewriteFile(fileName, bytes);
}

}  // namespace tobu
