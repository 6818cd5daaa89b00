#include "server/routes.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <nlohmann/json.hpp>
#include <thread>

#include "replay/replay_file.h"
#include "server/identity.h"
#include "server/level_upload.h"
#include "server/replay_check.h"
#include "server/store.h"
#include "server/web_files.h"
#include "world/file_error.h"

namespace tobu::server {
namespace {

using httplib::Request;
using httplib::Response;
using nlohmann::json;

// A replay holds at most a day of ticks; a real run's keys fill a small part of this.
constexpr size_t LargestReplayBody = 1 << 20;
constexpr int64_t BoardLength = 100;
// Rendered boards kept at once: a board of 100 is about 6 KB.
constexpr size_t BoardsKept = 1024;
// Half an hour of ticks: a proof costs CPU in proportion to the ticks it claims, and a
// standing runner could otherwise claim a day of them (the file format's limit).
constexpr uint32_t LongestProvenTicks = 100 * 60 * 30;

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void SendJson(Response& res, int status, const json& body) {
  res.status = status;
  res.set_content(body.dump(), "application/json");
}

void SendError(Response& res, int status, const std::string& message) {
  SendJson(res, status, {{"error", message}});
}

void SendBytes(Response& res, const Blob& bytes, const char* type) {
  res.set_content(reinterpret_cast<const char*>(bytes.data()), bytes.size(), type);
}

std::string StatusMessage(int status) {
  switch (status) {
    case 400:
      return "Bad request";
    case 404:
      return "Not found";
    case 405:
      return "Method not allowed";
    case 413:
      return "The request body is too large";
    default:
      return status >= 500 ? "Server error" : "Request refused";
  }
}

// The identity of an upload or a submission, after the rate limits of it and of the
// address; nothing (with the answer sent) when it is refused.
std::optional<std::string> Identify(const Request& req, Response& res, ServerState& state) {
  const std::optional<std::string> token = BearerToken(req.get_header_value("Authorization"));
  if (!token) {
    SendError(res, 401, "An Authorization: Bearer token of at least 64 hex digits is needed");
    return {};
  }
  const std::string hash = TokenHash(*token);
  if (!state.Writes.Allow("address " + req.remote_addr) || !state.Writes.Allow("identity " + hash)) {
    res.set_header("Retry-After", std::to_string(state.Writes.SecondsUntilNext()));
    SendError(res, 429, "Too many uploads and submissions; try again later");
    return {};
  }
  return hash;
}

Blob BodyBytes(const Request& req) { return Blob(req.body.begin(), req.body.end()); }

void UploadLevel(const Request& req, Response& res, ServerState& state) {
  const std::optional<std::string> identity = Identify(req, res, state);
  if (!identity) return;
  if (req.body.size() > LargestLevelFile)
    return SendError(res, 413, "A level file is at most " + std::to_string(LargestLevelFile) + " bytes");
  const std::string name = req.get_param_value("name");
  const std::string author = req.get_param_value("author");
  if (!AcceptedLevelName(name))
    return SendError(res, 400, "A level name is 1 to 20 letters, digits or signs, no full stop");
  if (!author.empty() && !AcceptedPlayerName(author))
    return SendError(res, 400, "The author's name is not a player name");
  SharedLevel level;
  World world;
  try {
    level = CheckLevelUpload(BodyBytes(req));
    world = LoadSharedLevel(level.LevelPart);
  } catch (const FileError& error) {
    return SendError(res, 422, error.what());
  }
  auto db = state.Pool.Take();
  if (!author.empty() && !ClaimName(*db, author, *identity, Now())) {
    return SendError(res, 403, "The name " + author + " belongs to another player");
  }
  const bool added = AddLevel(*db, {level.Id, name, author, level.LevelPart, LevelPicturePng(world)}, Now());
  SendJson(res, added ? 201 : 200, {{"id", level.Id}});
}

void SubmitRecord(const Request& req, Response& res, ServerState& state) {
  const std::optional<std::string> identity = Identify(req, res, state);
  if (!identity) return;
  if (req.body.size() > LargestReplayBody) return SendError(res, 413, "A replay is at most 1 MiB");
  Replay replay;
  try {
    replay = ParseReplay("upload.tbr", BodyBytes(req));
  } catch (const FileError& error) {
    return SendError(res, 422, error.what());
  }
  if (!AcceptedPlayerName(replay.PlayerName)) return SendError(res, 422, "The replay has no player name");
  if (replay.TickCount > LongestProvenTicks)
    return SendError(res, 422, "This server proves runs of up to 30 minutes");
  const std::string levelId = LevelId(replay.LevelCrc);
  std::optional<Blob> levelPart;
  {
    auto db = state.Pool.Take();
    levelPart = LevelFile(*db, levelId);
    if (!levelPart) return SendError(res, 404, "The level " + levelId + " is not on this server");
    if (!ClaimName(*db, replay.PlayerName, *identity, Now())) {
      return SendError(res, 403, "The name " + replay.PlayerName + " belongs to another player");
    }
  }
  {
    const VerificationSlots::Slot slot = state.Verifiers.Enter();
    if (!slot) {
      res.set_header("Retry-After", "1");
      return SendError(res, 503, "Every verifier is busy; try again in a moment");
    }
    const RunProof proof = ProveRun(LoadSharedLevel(*levelPart), replay);
    if (!proof.Proven) return SendError(res, 422, "The replay does not prove its time: " + proof.Reason);
  }
  auto db = state.Pool.Take();
  const Standing best =
      AddRecord(*db, levelId, replay.PlayerName, replay.FinishTime, replay.TickCount, BodyBytes(req), Now());
  SendJson(res, 201,
           {{"level", levelId},
            {"player", best.Player},
            {"time", replay.FinishTime},
            {"best", best.Time},
            {"rank", best.Rank}});
}

json LevelJson(const LevelSummary& level) {
  json record = nullptr;
  if (level.RecordTime) record = {{"player", level.RecordPlayer}, {"time", *level.RecordTime}};
  return {{"id", level.Id},         {"name", level.Name},
          {"author", level.Author}, {"uploaded", level.Uploaded / 1000000},
          {"plays", level.Plays},   {"record", record}};
}

void ListLevelsRoute(const Request& req, Response& res, ServerState& state) {
  const std::string order = req.has_param("order") ? req.get_param_value("order") : "newest";
  if (order != "newest" && order != "plays") return SendError(res, 400, "order is newest or plays");
  auto db = state.Pool.Take();
  json list = json::array();
  for (const LevelSummary& level :
       ListLevels(*db, order == "newest" ? LevelOrder::Newest : LevelOrder::MostPlayed,
                  req.get_param_value("author"), BoardLength)) {
    list.push_back(LevelJson(level));
  }
  SendJson(res, 200, list);
}

json StandingJson(const Standing& standing) {
  return {{"rank", standing.Rank},
          {"player", standing.Player},
          {"time", standing.Time},
          {"ticks", standing.Ticks}};
}

std::string RenderBoard(Connection& db, const std::string& level) {
  json board = json::array();
  for (const Standing& standing : TopRecords(db, level, BoardLength)) board.push_back(StandingJson(standing));
  return board.dump();
}

// The body is written out in the order the JSON library would write it (keys sorted), the
// top 100 from the cache while the level's play count has not moved.
void BoardRoute(const Request& req, Response& res, ServerState& state) {
  const std::string level = req.matches[1];
  auto db = state.Pool.Take();
  const std::optional<int64_t> version = LevelPlays(*db, level);
  if (!version) return SendError(res, 404, "No level " + level + " on this server");
  std::shared_ptr<const std::string> records = state.Boards.Find(level, *version);
  if (!records) {
    records = std::make_shared<const std::string>(RenderBoard(*db, level));
    state.Boards.Keep(level, *version, records);
  }
  std::string body = "{\"level\":" + json(level).dump();
  if (req.has_param("player")) {
    const std::optional<Standing> mine = PlayerStanding(*db, level, req.get_param_value("player"));
    body += ",\"player\":" + (mine ? StandingJson(*mine) : json(nullptr)).dump();
  }
  res.status = 200;
  res.set_content(body + ",\"records\":" + *records + "}", "application/json");
}

// GET of one stored blob by the route's captures, 404 when there is none.
template <typename Fetch>
httplib::Server::Handler BlobRoute(ServerState& state, const char* type, Fetch fetch) {
  return [&state, type, fetch](const Request& req, Response& res) {
    auto db = state.Pool.Take();
    const std::optional<Blob> bytes = fetch(*db, req);
    if (!bytes) return SendError(res, 404, "Not on this server");
    SendBytes(res, *bytes, type);
  };
}

thread_local std::chrono::steady_clock::time_point requestStart;

void LogRequest(const Request& req, const Response& res) {
  const auto micros =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - requestStart)
          .count();
  const std::string line = req.remote_addr + " " + req.method + " " + req.path + " " +
                           std::to_string(res.status) + " " + std::to_string(res.body.size()) + " " +
                           std::to_string(micros / 1000) + "." + std::to_string(micros % 1000 / 100) + "ms\n";
  std::cerr << line << std::flush;
}

void AddWebFiles(httplib::Server& http, const std::string& folder) {
  auto files = std::make_shared<const std::map<std::string, WebFile>>(ReadWebFolder(folder));
  http.Get(R"(/(?!api/).*)", [files](const Request& req, Response& res) {
    const auto found = files->find(req.path);
    if (found == files->end()) return SendError(res, 404, "Not found");
    res.set_content(found->second.Body, found->second.Type.c_str());
  });
}

}  // namespace

ServerState::ServerState(const ServerOptions& options)
    : Pool(options.Database, static_cast<size_t>(options.Threads)),
      Writes(options.WritesPerMinute, options.WriteBurst),
      Verifiers(options.Verifiers > 0 ? options.Verifiers
                                      : static_cast<int>(std::max(1u, std::thread::hardware_concurrency())),
                options.VerifyQueue),
      Boards(BoardsKept) {}

void AddRoutes(httplib::Server& http, ServerState& state, const ServerOptions& options) {
  const std::string id = "([0-9a-f]{8})";
  http.Post("/api/levels", [&state](const Request& req, Response& res) { UploadLevel(req, res, state); });
  http.Get("/api/levels", [&state](const Request& req, Response& res) { ListLevelsRoute(req, res, state); });
  http.Get("/api/levels/" + id,
           BlobRoute(state, "application/octet-stream",
                     [](Connection& db, const Request& req) { return LevelFile(db, req.matches[1]); }));
  http.Get("/api/levels/" + id + "/picture",
           BlobRoute(state, "image/png",
                     [](Connection& db, const Request& req) { return LevelPicture(db, req.matches[1]); }));
  http.Get("/api/levels/" + id + "/records",
           [&state](const Request& req, Response& res) { BoardRoute(req, res, state); });
  http.Post("/api/records", [&state](const Request& req, Response& res) { SubmitRecord(req, res, state); });
  http.Get("/api/records/" + id + "/(.+)",
           BlobRoute(state, "application/octet-stream", [](Connection& db, const Request& req) {
             return RecordReplay(db, req.matches[1], req.matches[2]);
           }));
  if (!options.WebFolder.empty()) AddWebFiles(http, options.WebFolder);

  http.set_payload_max_length(std::max(LargestLevelFile, LargestReplayBody));
  http.set_pre_routing_handler([](const Request&, Response&) {
    requestStart = std::chrono::steady_clock::now();
    return httplib::Server::HandlerResponse::Unhandled;
  });
  http.set_error_handler(httplib::Server::HandlerWithResponse([](const Request&, Response& res) {
    if (res.body.empty()) SendError(res, res.status, StatusMessage(res.status));
    return httplib::Server::HandlerResponse::Handled;
  }));
  http.set_exception_handler([](const Request&, Response& res, std::exception_ptr error) {
    std::string message = "Server error";
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      std::cerr << "tobu-server: " << e.what() << '\n';
    } catch (...) {
    }
    SendError(res, 500, message);
  });
  http.set_logger(LogRequest);
}

}  // namespace tobu::server
