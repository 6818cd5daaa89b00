#include "replay/replay_file.h"

#include <array>
#include <new>

#include "replay/crc32.h"
#include "world/bytes.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {
namespace {

constexpr std::array<uint8_t, 4> Magic = {'T', 'B', 'R', 'P'};
constexpr uint8_t Version = 1;

FileError Damaged(const std::string& name) { return FileError("Replay file " + name + " is damaged"); }

// Unsigned LEB128: seven bits a byte, low bits first, the high bit set on all but the last.
void WriteVarint(ByteWriter& writer, uint32_t value) {
  while (value >= 0x80) {
    writer.U8(static_cast<uint8_t>(value | 0x80));
    value >>= 7;
  }
  writer.U8(static_cast<uint8_t>(value));
}

// At most five bytes; a value past 32 bits or written longer than needed is refused.
bool ReadVarint(ByteReader& reader, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 5; ++i) {
    if (!reader.Has(1)) return false;
    const uint8_t byte = reader.U8();
    if (i == 4 && byte > 0x0F) return false;
    value |= static_cast<uint32_t>(byte & 0x7F) << (7 * i);
    if ((byte & 0x80) == 0) return i == 0 || byte != 0;
  }
  return false;
}

void WriteText(ByteWriter& writer, const std::string& text) {
  writer.U8(static_cast<uint8_t>(text.size()));
  writer.Text(text);
}

bool ReadText(ByteReader& reader, std::string& text) {
  if (!reader.Has(1)) return false;
  const uint8_t length = reader.U8();
  if (!reader.Has(length)) return false;
  text = reader.Text(length);
  return text.find('\0') == std::string::npos;
}

bool ReadU32(ByteReader& reader, uint32_t& value) {
  if (!reader.Has(4)) return false;
  value = static_cast<uint32_t>(reader.I32());
  return true;
}

// Magic, version, level name, CRC, player, finishing time, tick count.
bool ReadHeader(ByteReader& reader, Replay& replay) {
  if (!reader.Has(Magic.size() + 1)) return false;
  for (const uint8_t expected : Magic) {
    if (reader.U8() != expected) return false;
  }
  if (reader.U8() != Version) return false;
  if (!ReadText(reader, replay.LevelFile) || !PlainFileName(replay.LevelFile)) return false;
  if (!ReadU32(reader, replay.LevelCrc) || !ReadText(reader, replay.PlayerName)) return false;
  uint32_t time = 0;
  if (!ReadU32(reader, time) || !ReadU32(reader, replay.TickCount)) return false;
  replay.FinishTime = static_cast<int32_t>(time);
  return replay.FinishTime >= 0 && replay.TickCount <= LongestReplayTicks;
}

// Event count, then per event: tick delta (varint), key code, 1 down or 0 up. No event
// lies past the last tick.
bool ReadEvents(ByteReader& reader, Replay& replay) {
  uint32_t count = 0;
  if (!ReadU32(reader, count) || count > reader.Remaining() / 3) return false;
  if (count > MostReplayEvents(replay.TickCount)) return false;
  replay.Events.reserve(count);
  uint32_t tick = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t delta = 0;
    if (!ReadVarint(reader, delta) || delta > replay.TickCount - tick || !reader.Has(2)) return false;
    tick += delta;
    const uint8_t key = reader.U8();
    const uint8_t down = reader.U8();
    if (down > 1) return false;
    replay.Events.push_back({tick, key, down == 1});
  }
  return true;
}

// The last field: CRC-32 of every byte before it, so a changed byte anywhere is seen.
bool ReadFileCrc(ByteReader& reader, std::span<const uint8_t> bytes) {
  const size_t covered = reader.Position();
  uint32_t crc = 0;
  return ReadU32(reader, crc) && reader.Remaining() == 0 && crc == Crc32(bytes.first(covered));
}

}  // namespace

bool PlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos &&
         name.find('\0') == std::string::npos;
}

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
  ByteWriter writer;
  for (const uint8_t byte : Magic) writer.U8(byte);
  writer.U8(Version);
  WriteText(writer, replay.LevelFile.substr(0, LongestReplayName));
  writer.I32(static_cast<int32_t>(replay.LevelCrc));
  WriteText(writer, replay.PlayerName.substr(0, LongestReplayPlayer));
  writer.I32(replay.FinishTime);
  writer.I32(static_cast<int32_t>(replay.TickCount));
  writer.I32(static_cast<int32_t>(replay.Events.size()));
  uint32_t tick = 0;
  for (const ReplayEvent& event : replay.Events) {
    WriteVarint(writer, event.Tick - tick);
    tick = event.Tick;
    writer.U8(event.Key);
    writer.U8(event.Down ? 1 : 0);
  }
  writer.I32(static_cast<int32_t>(Crc32(writer.Bytes())));
  return writer.Bytes();
}

Replay ParseReplay(const std::string& name, std::span<const uint8_t> bytes) {
  if (bytes.size() > LongestReplayBytes) throw Damaged(name);
  ByteReader reader(bytes);
  Replay replay;
  try {
    if (!ReadHeader(reader, replay) || !ReadEvents(reader, replay) || !ReadFileCrc(reader, bytes)) {
      throw Damaged(name);
    }
  } catch (const std::bad_alloc&) {
    throw Damaged(name);
  }
  return replay;
}

Replay ReadReplay(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadWholeFile(fileName, LongestReplayBytes);
  } catch (const std::bad_alloc&) {
    throw Damaged(fileName);
  }
  return ParseReplay(fileName, bytes);
}

void WriteReplay(const std::string& fileName, const Replay& replay) {
  ReplaceFile(fileName, EncodeReplay(replay));
}

}  // namespace tobu
