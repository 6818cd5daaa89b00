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

// Each body as DecodeLevelPicture reads it: the size and the pixels in hex, or "-".
std::string Decoded(const std::vector<uint8_t>& body, int shrink) {
  const auto picture = DecodeLevelPicture(body, shrink);
  if (!picture) return "-";
  std::string out = std::to_string(picture->Width) + "x" + std::to_string(picture->Height);
  char hex[6];
  for (const uint16_t pixel : picture->Pixels) {
    std::snprintf(hex, sizeof hex, " %04x", pixel);
    out += hex;
  }
  return out;
}

TEST(LevelPicture, BlocksAveragedAndBadBodiesRefused) {
  // 7 x 3: white, black, white rows on the left block, pure red on the next, a column left over.
  std::vector<uint8_t> rgb;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      const uint8_t grey = y == 1 ? 0 : 255;
      const std::vector<uint8_t> pixel =
          x < 3 ? std::vector<uint8_t>{grey, grey, grey} : std::vector<uint8_t>{255, 0, 0};
      rgb.insert(rgb.end(), pixel.begin(), pixel.end());
    }
  }
  const std::vector<uint8_t> good = Png(7, 3, rgb);
  std::vector<uint8_t> flipped = good;
  flipped[good.size() - 20] ^= 0xFF;  // in the picture's compressed rows
  const std::vector<uint8_t> huge =
      Png(MostPictureSide + 1, 1, std::vector<uint8_t>((MostPictureSide + 1) * 3));
  const struct {
    const char* What;
    std::vector<uint8_t> Body;
    int Shrink;
    const char* Expected;
  } cases[] = {
      {"blocks of 3", good, 3, "2x1 ad55 f800"},
      {"as it is, a row", Png(2, 1, {0, 0, 255, 8, 4, 8}), 1, "2x1 001f 0821"},
      {"smaller than a block", Png(2, 2, std::vector<uint8_t>(12)), 3, "-"},
      {"wider than any level's", huge, 1, "-"},
      {"cut short", {good.begin(), good.begin() + 40}, 3, "-"},
      {"damaged", flipped, 3, "-"},
      {"an error's JSON", Bytes(R"({"error":"No such level"})"), 3, "-"},
      {"empty", {}, 3, "-"},
  };
  for (const auto& c : cases) EXPECT_EQ(Decoded(c.Body, c.Shrink), c.Expected) << c.What;
}

}  // namespace
}  // namespace tobu::testing
