#include "shell/roster.h"

#include <optional>
#include <utility>

#include "world/bytes.h"
#include "world/file_io.h"

namespace tobu {

int FindPlayer(const PlayerRoster& roster, const std::string& name) {
  for (int i = 1; i <= roster.PlayerCount; ++i) {
    if (roster.PlayerNames[i] == name) return i;
  }
  return 0;
}

void RemovePlayer(PlayerRoster& roster, int index) {
  if (index < 1 || index > roster.PlayerCount) return;
  for (int i = index; i < roster.PlayerCount; ++i)
    roster.PlayerNames[i] = std::move(roster.PlayerNames[i + 1]);
  roster.PlayerNames[roster.PlayerCount].clear();
  --roster.PlayerCount;
}

// Players.dat: count (1 byte); per player a length byte and the name; the index of the
// player chosen last (4 bytes, signed). A file cut short keeps what was read; names past
// the 14th are skipped and names are cut to 8 characters, so nothing lands past the roster.
StoredRoster ParseRoster(std::span<const uint8_t> bytes) {
  StoredRoster stored;
  ByteReader in(bytes);
  if (!in.Has(1)) return stored;
  const int declared = in.U8();
  int count = 0;
  for (int i = 1; i <= declared; ++i) {
    if (!in.Has(1)) return stored;
    const size_t length = in.U8();
    const std::string name = in.Text(std::min(length, in.Remaining()));
    if (name.size() < length) return stored;  // the file ends inside this name
    if (count < MaxPlayers) {
      ++count;
      stored.Roster.PlayerNames[count] = name.substr(0, MaxPlayerNameLength);
      stored.Roster.PlayerCount = static_cast<uint8_t>(count);
    }
  }
  // The index's missing high-order bytes count as 0.
  uint32_t index = 0;
  for (int shift = 0; shift < 32 && in.Has(1); shift += 8) index |= uint32_t{in.U8()} << shift;
  const auto last = static_cast<int32_t>(index);
  stored.LastIndex = (last < 0 || last > count) ? 0 : last;
  return stored;
}

std::vector<uint8_t> RosterBytes(const PlayerRoster& roster, int32_t index) {
  ByteWriter out;
  out.U8(roster.PlayerCount);
  for (int i = 1; i <= roster.PlayerCount; ++i) {
    out.U8(static_cast<uint8_t>(roster.PlayerNames[i].size()));
    out.Text(roster.PlayerNames[i]);
  }
  out.I32(index);
  return out.Bytes();
}

// A missing file is an empty roster; any other failure is the file layer's FileError.
StoredRoster ReadRoster(const std::string& fileName) {
  const std::optional<std::vector<uint8_t>> bytes = ReadFileIfPresent(fileName);
  return bytes ? ParseRoster(*bytes) : StoredRoster{};
}

void WriteRoster(const std::string& fileName, const PlayerRoster& roster, int32_t index) {
  ReplaceFile(fileName, RosterBytes(roster, index));
}

}  // namespace tobu
