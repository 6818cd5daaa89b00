#include "online/answers.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>

#include "editor/editor.h"

namespace tobu {
namespace {

using nlohmann::json;

std::optional<json> Parse(const std::vector<uint8_t>& body) {
  json value = json::parse(body.begin(), body.end(), nullptr, /*allow_exceptions=*/false);
  if (value.is_discarded()) return std::nullopt;
  return value;
}

// The json library throws on a field of the wrong type: such a body is not an answer.
template <typename Read>
auto Guarded(const std::vector<uint8_t>& body, Read&& read) -> decltype(read(json())) {
  const auto value = Parse(body);
  if (!value) return std::nullopt;
  try {
    return read(*value);
  } catch (const json::exception&) {
    return std::nullopt;
  }
}

OnlineTime TimeLine(const json& line) {
  return {line.value("rank", 0), line.at("player").get<std::string>(), line.at("time").get<int32_t>()};
}

}  // namespace

std::optional<OnlineBoard> ParseBoard(const std::vector<uint8_t>& body) {
  return Guarded(body, [](const json& value) -> std::optional<OnlineBoard> {
    OnlineBoard board;
    for (const json& line : value.at("records")) board.Records.push_back(TimeLine(line));
    if (value.contains("player") && value["player"].is_object()) board.Player = TimeLine(value["player"]);
    return board;
  });
}

std::optional<std::vector<OnlineLevel>> ParseLevelList(const std::vector<uint8_t>& body) {
  return Guarded(body, [](const json& value) -> std::optional<std::vector<OnlineLevel>> {
    std::vector<OnlineLevel> levels;
    for (const json& entry : value) {
      OnlineLevel level{entry.at("id"), entry.at("name"), entry.at("author"), entry.at("plays"),
                        std::nullopt};
      if (!IsLevelId(level.Id)) return std::nullopt;
      if (entry.contains("record") && entry["record"].is_object()) level.Record = TimeLine(entry["record"]);
      levels.push_back(std::move(level));
    }
    return levels;
  });
}

std::optional<SubmittedRecord> ParseSubmittedRecord(const std::vector<uint8_t>& body) {
  return Guarded(body, [](const json& value) -> std::optional<SubmittedRecord> {
    return SubmittedRecord{value.at("level"), value.at("player"), value.at("time"), value.at("best"),
                           value.at("rank")};
  });
}

bool IsLevelId(const std::string& text) {
  return text.size() == 8 && std::all_of(text.begin(), text.end(), [](unsigned char c) {
           return std::isdigit(c) != 0 || (c >= 'a' && c <= 'f');
         });
}

std::string LevelFileNameOf(const OnlineLevel& level) {
  const std::string& name = level.Name;
  const bool typeable = !name.empty() && name.size() <= MaxFileNameLength &&
                        std::all_of(name.begin(), name.end(), [](char c) { return AcceptedNameChar(c); });
  return (typeable ? name : level.Id) + ".vel";
}

std::string UrlEncoded(const std::string& text) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const unsigned char c : text) {
    if (std::isalnum(c) != 0 || c == '-' || c == '.' || c == '_' || c == '~') {
      encoded += static_cast<char>(c);
    } else {
      encoded += {'%', Hex[c >> 4], Hex[c & 15]};
    }
  }
  return encoded;
}

}  // namespace tobu
