// The online client's pieces that need no server: the answers it reads and the token.
#include <gtest/gtest.h>

#include <string>

#include "../support/temp_dir.h"
#include "online/answers.h"
#include "online/device_token.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu::testing {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Each body, what the three readers make of it: a line per reader, "-" for refused.
std::string Read(const std::string& body) {
  std::string out;
  if (const auto board = ParseBoard(Bytes(body))) {
    out += "board";
    for (const OnlineTime& t : board->Records)
      out += " " + std::to_string(t.Rank) + t.Player + std::to_string(t.Time);
    out += board->Player ? " me" + std::to_string(board->Player->Rank) : " -me";
  } else {
    out += "-";
  }
  if (const auto levels = ParseLevelList(Bytes(body))) {
    out += " levels";
    for (const OnlineLevel& l : *levels) out += " " + LevelFileNameOf(l) + (l.Record ? "+" : "");
  } else {
    out += " -";
  }
  out += ParseSubmittedRecord(Bytes(body)) ? " submitted" : " -";
  return out;
}

TEST(OnlineAnswers, OnlyTheirOwnShapeIsRead) {
  const std::pair<std::string, std::string> cases[] = {
      {R"({"level":"0badcafe","records":[{"rank":1,"player":"Ann","time":633,"ticks":634}],"player":null})",
       "board 1Ann633 -me - -"},
      {R"({"records":[],"player":{"rank":4,"player":"Bo","time":900}})", "board me4 - -"},
      {R"({"records":[{"rank":1,"player":7,"time":633}]})", "- - -"},
      {R"([{"id":"0badcafe","name":"hills","author":"Ann","plays":2,"record":{"player":"Ann","time":633}},)"
       R"({"id":"00000001","name":"a.b/c","author":"Bo","plays":0,"record":null}])",
       "- levels hills.vel+ 00000001.vel -"},
      {R"([{"id":"../../x","name":"hills","author":"Ann","plays":2}])", "- - -"},
      {R"({"level":"0badcafe","player":"Ann","time":633,"best":633,"rank":1})", "- - submitted"},
      {R"({"level":"0badcafe","player":"Ann","time":"fast","best":633,"rank":1})", "- - -"},
      {"not json", "- - -"},
      {"", "- - -"},
  };
  for (const auto& [body, expected] : cases) EXPECT_EQ(Read(body), expected) << body;
  EXPECT_EQ(UrlEncoded("Ann B/é?&"), "Ann%20B%2F%C3%A9%3F%26");
}

TEST(DeviceToken, MadeOnceAndADamagedOneKept) {
  TempDir dir;
  const std::string file = (dir.Path() / TokenFileName).string();
  const std::string token = DeviceToken(file);
  EXPECT_EQ(token.size(), 64u);
  EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_EQ(DeviceToken(file), token);
  EXPECT_NE(DeviceToken((dir.Path() / "other").string()), token);
  ReplaceFile(file, Bytes("0123abc\n"));
  EXPECT_THROW(DeviceToken(file), FileError);
  EXPECT_EQ(ReadWholeFile(file), Bytes("0123abc\n"));
}

}  // namespace
}  // namespace tobu::testing
