#include "replay/level_crc.h"

#include "replay/crc32.h"
#include "world/bytes.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/world.h"

namespace tobu {
namespace {

constexpr size_t GridBytes = size_t{GridSize} * GridSize;  // 10201, then the object count
constexpr size_t ObjectRecordBytes = 9;
constexpr size_t StartBytes = 8;

}  // namespace

uint32_t LevelCrc(const std::string& name, std::span<const uint8_t> levelFileBytes) {
  if (levelFileBytes.size() < GridBytes + 4 + StartBytes) throw FileError::Damaged(name);
  ByteReader counter(levelFileBytes.subspan(GridBytes, 4));
  const int32_t count = counter.I32();
  const size_t levelPart = GridBytes + 4 + ObjectRecordBytes * static_cast<size_t>(count) + StartBytes;
  if (count < 0 || levelPart > levelFileBytes.size()) throw FileError::Damaged(name);
  return Crc32(levelFileBytes.first(levelPart));
}

uint32_t LevelFileCrc(const std::string& fileName) { return LevelCrc(fileName, ReadWholeFile(fileName)); }

}  // namespace tobu
