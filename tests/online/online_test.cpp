// The online client's pieces that need no server: the answers it reads and the token.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>

#include "../support/temp_dir.h"
#include "online/answers.h"
#include "online/device_token.h"
#include "online/level_picture.h"
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

// A PNG of RGB rows, as the server writes its pictures.
std::vector<uint8_t> Png(int width, int height, const std::vector<uint8_t>& rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> png(rgb.size() + 1024);
  png_alloc_size_t size = png.size();
  EXPECT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, rgb.data(), 0, nullptr));
  png.resize(size);
  return png;
}

// Each body read as a picture: its size and pixels in hex, or "-" when refused.
TEST(LevelPicture, BlocksAveragedAndBadBodiesRefused) {
  // 4 x 2: a block of 2 x 2 from white and black rows, then one of pure red.
  const std::vector<uint8_t> good =
      Png(4, 2, {255, 255, 255, 255, 255, 255, 255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0});
  std::vector<uint8_t> flipped = good;
  flipped[good.size() - 20] ^= 0xFF;  // in the compressed rows
  const std::pair<std::vector<uint8_t>, std::string> cases[] = {
      {good, "2x1 8410 f800"},
      {Png(1, 1, {0, 0, 0}), "-"},  // smaller than a block
      {Png(MostPictureSide + 2, 2, std::vector<uint8_t>((MostPictureSide + 2) * 6)), "-"},
      {{good.begin(), good.begin() + 40}, "-"},
      {flipped, "-"},
      {Bytes(R"({"error":"No such level"})"), "-"},
  };
  for (const auto& [body, expected] : cases) {
    const auto picture = DecodeLevelPicture(body, 2);
    std::string got = picture ? std::to_string(picture->Width) + "x" + std::to_string(picture->Height) : "-";
    char hex[6];
    for (size_t i = 0; picture && i < picture->Pixels.size(); ++i) {
      std::snprintf(hex, sizeof hex, " %04x", picture->Pixels[i]);
      got += hex;
    }
    EXPECT_EQ(got, expected) << body.size();
  }
}

}  // namespace
}  // namespace tobu::testing
