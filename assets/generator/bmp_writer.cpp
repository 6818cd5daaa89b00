// Median-cut quantisation and the 8-bit BMP writer.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "sheet.h"

namespace art {
namespace {

using Colour8 = std::array<int, 3>;

struct Entry {
  Colour8 C;
  int Count;
};

Colour8 To8(Rgb c) {
  auto q = [](float v) { return static_cast<int>(std::lround(Clamp01(v) * 255.0f)); };
  return {q(c.r), q(c.g), q(c.b)};
}
uint32_t Pack(Colour8 c) { return static_cast<uint32_t>((c[0] << 16) | (c[1] << 8) | c[2]); }

// Splits the colour list into at most `slots` boxes, always cutting the box
// with the widest weighted spread at the median of its longest axis.
std::vector<Colour8> MedianCut(std::vector<Entry> colours, size_t slots) {
  if (colours.size() <= slots) {
    std::vector<Colour8> out;
    for (const Entry& e : colours) out.push_back(e.C);
    return out;
  }
  struct Box {
    size_t Begin, End;
  };
  auto spread = [&colours](Box b, int& axis) {
    double best = -1;
    for (int a = 0; a < 3; ++a) {
      int lo = 255, hi = 0;
      for (size_t i = b.Begin; i < b.End; ++i)
        lo = std::min(lo, colours[i].C[a]), hi = std::max(hi, colours[i].C[a]);
      double s = hi - lo;
      if (s > best) best = s, axis = a;
    }
    double weight = 0;
    for (size_t i = b.Begin; i < b.End; ++i) weight += colours[i].Count;
    return b.End - b.Begin < 2 ? -1.0 : best * std::sqrt(weight);
  };
  // Each box's score and axis, kept: a cut changes only the two boxes it makes.
  struct Scored {
    Box B;
    double Score;
    int Axis;
  };
  auto scored = [&spread](Box b) {
    int axis = 0;
    const double score = spread(b, axis);
    return Scored{b, score, axis};
  };
  std::vector<Scored> boxes{scored({0, colours.size()})};
  while (boxes.size() < slots) {
    int bestAxis = 0;
    double bestScore = -1;
    size_t pick = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].Score > bestScore) bestScore = boxes[i].Score, pick = i, bestAxis = boxes[i].Axis;
    }
    if (bestScore < 0) break;
    Box b = boxes[pick].B;
    std::sort(colours.begin() + static_cast<long>(b.Begin), colours.begin() + static_cast<long>(b.End),
              [bestAxis](const Entry& x, const Entry& y) {
                return x.C[bestAxis] != y.C[bestAxis] ? x.C[bestAxis] < y.C[bestAxis] : Pack(x.C) < Pack(y.C);
              });
    long total = 0, half = 0;
    for (size_t i = b.Begin; i < b.End; ++i) total += colours[i].Count;
    size_t cut = b.Begin + 1;
    for (size_t i = b.Begin; i < b.End - 1; ++i) {
      half += colours[i].Count;
      cut = i + 1;
      if (half * 2 >= total) break;
    }
    boxes[pick] = scored({b.Begin, cut});
    boxes.push_back(scored({cut, b.End}));
  }
  std::vector<Colour8> out;
  for (const Scored& box : boxes) {
    const Box b = box.B;
    double sum[3] = {0, 0, 0}, weight = 0;
    for (size_t i = b.Begin; i < b.End; ++i) {
      for (int a = 0; a < 3; ++a) sum[a] += colours[i].C[a] * static_cast<double>(colours[i].Count);
      weight += colours[i].Count;
    }
    out.push_back({static_cast<int>(std::lround(sum[0] / weight)),
                   static_cast<int>(std::lround(sum[1] / weight)),
                   static_cast<int>(std::lround(sum[2] / weight))});
  }
  return out;
}

// Keeps a picture colour well away from the key, so that no conversion to a
// coarser display format can turn it into the key.
Colour8 AwayFromKey(Colour8 c, Colour8 key) {
  int far = 0;
  for (int a = 0; a < 3; ++a) far = std::max(far, std::abs(c[a] - key[a]));
  if (far >= 16) return c;
  int axis = 0;  // push along the channel with the most room
  for (int a = 1; a < 3; ++a)
    if (std::abs(c[a] - 128) > std::abs(c[axis] - 128)) axis = a;
  c[axis] = key[axis] >= 128 ? key[axis] - 16 : key[axis] + 16;
  return c;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v)), out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

}  // namespace

std::vector<uint8_t> EncodeSheetBmp(const Sheet& sheet) {
  const int w = sheet.Spec.Width, h = sheet.Spec.Height;
  const bool keyed = sheet.Spec.Transparent;
  const Colour8 key = To8(Hex(sheet.Spec.Key));
  auto colourOf = [&](size_t i) {
    return keyed ? AwayFromKey(To8(sheet.Pixels[i]), key) : To8(sheet.Pixels[i]);
  };
  std::unordered_map<uint32_t, Entry> histogram;
  for (size_t i = 0; i < sheet.Pixels.size(); ++i) {
    if (sheet.IsKey[i]) continue;
    Colour8 c = colourOf(i);
    auto [it, fresh] = histogram.try_emplace(Pack(c), Entry{c, 0});
    ++it->second.Count;
  }
  std::vector<Entry> colours;
  for (auto& [packed, e] : histogram) colours.push_back(e);
  // In the order of their packed values, which the cut's ties and a small palette follow.
  std::sort(colours.begin(), colours.end(),
            [](const Entry& x, const Entry& y) { return Pack(x.C) < Pack(y.C); });
  // On a keyed sheet entry 0 is the key, and only key pixels use it.
  const size_t first = keyed ? 1 : 0;
  std::vector<Colour8> palette;
  if (keyed) palette.push_back(key);
  for (Colour8 c : MedianCut(colours, 256 - first)) palette.push_back(keyed ? AwayFromKey(c, key) : c);
  const size_t used = palette.size();
  palette.resize(256, palette.back());  // spare entries repeat a picture colour, never the key

  // Every picture colour takes its nearest palette entry other than the key.
  std::unordered_map<uint32_t, uint8_t> nearest;
  for (auto& [packed, e] : histogram) {
    long best = -1;
    size_t pick = first;
    for (size_t p = first; p < used; ++p) {
      long d = 0;
      for (int a = 0; a < 3; ++a) d += static_cast<long>(e.C[a] - palette[p][a]) * (e.C[a] - palette[p][a]);
      if (best < 0 || d < best) best = d, pick = p;
    }
    nearest[packed] = static_cast<uint8_t>(pick);
  }

  const uint32_t stride = static_cast<uint32_t>((w + 3) & ~3);
  const uint32_t pixelBytes = stride * static_cast<uint32_t>(h), offset = 14 + 40 + 1024;
  std::vector<uint8_t> out;
  out.push_back('B'), out.push_back('M');
  Put32(out, offset + pixelBytes), Put32(out, 0), Put32(out, offset);
  Put32(out, 40), Put32(out, static_cast<uint32_t>(w)), Put32(out, static_cast<uint32_t>(h));
  Put16(out, 1), Put16(out, 8), Put32(out, 0), Put32(out, pixelBytes);
  Put32(out, 2835), Put32(out, 2835), Put32(out, 256), Put32(out, 0);
  for (Colour8 c : palette) {
    out.push_back(static_cast<uint8_t>(c[2])), out.push_back(static_cast<uint8_t>(c[1]));
    out.push_back(static_cast<uint8_t>(c[0])), out.push_back(0);
  }
  for (int y = h - 1; y >= 0; --y) {  // bottom-up rows
    for (int x = 0; x < w; ++x) {
      size_t i = sheet.At(x, y);
      out.push_back(sheet.IsKey[i] ? 0 : nearest.at(Pack(colourOf(i))));
    }
    for (uint32_t pad = static_cast<uint32_t>(w); pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

bool WriteSheetBmp(const Sheet& sheet, const std::string& path) {
  const std::vector<uint8_t> out = EncodeSheetBmp(sheet);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace art
