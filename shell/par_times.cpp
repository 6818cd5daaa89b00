#include "shell/par_times.h"

#include <algorithm>
#include <array>

#include "sim/clock.h"

namespace tobu {
namespace {

// The finishing time and level CRC of each committed replay (a test compares them).
constexpr std::array<ParTime, 30> Table{{
    {"01-first-steps.vel", 0x4BB94F35, 633},   {"02-ledge-food.vel", 0xB68A5370, 895},
    {"03-mind-the-gap.vel", 0xD977A7E5, 763},  {"04-killer-field.vel", 0xAB7C9480, 825},
    {"05-long-run.vel", 0x7012A818, 2280},     {"06-the-climb.vel", 0x043CE2E2, 3419},
    {"07-caves.vel", 0x27C73492, 2049},        {"08-whole-world.vel", 0x92F9537D, 3105},
    {"09-killer-pits.vel", 0x76412836, 952},   {"10-summit.vel", 0xFA1E2FC8, 1818},
    {"11-guarded-exit.vel", 0xB9DEACC3, 1143}, {"12-top-of-arc.vel", 0xB09F1E77, 1285},
    {"13-single-steps.vel", 0x094DFCC0, 1197}, {"14-steer-falls.vel", 0x021E8C2D, 1344},
    {"15-fast-or-safe.vel", 0x2A9E71B6, 1351}, {"16-guarded-roads.vel", 0x25609D02, 1289},
    {"17-low-tunnels.vel", 0x4E7A9807, 2069},  {"18-tunnel-pits.vel", 0x82DC256C, 2342},
    {"19-out-and-back.vel", 0xAC9A6EF1, 2516}, {"20-long-way-down.vel", 0x160DFBB4, 5055},
    {"21-arc-pits.vel", 0x564D350B, 2266},     {"22-guarded-drops.vel", 0x9E744DC9, 2372},
    {"23-deep-tunnels.vel", 0x629F9903, 3331}, {"24-three-roads.vel", 0x08E48022, 3523},
    {"25-full-height.vel", 0xC2DDF8A6, 4088},  {"26-tunnel-climb.vel", 0xCDDCAE05, 3240},
    {"27-four-roads.vel", 0x69897842, 5029},   {"28-grand-tour.vel", 0x07F51E80, 5941},
    {"29-long-ascent.vel", 0x6E3C7887, 10412}, {"30-last-descent.vel", 0x0E06AD46, 10659},
}};

}  // namespace

std::span<const ParTime> ParTimes() { return Table; }

const ParTime* FindParTime(uint32_t levelCrc) {
  const auto found =
      std::find_if(Table.begin(), Table.end(), [&](const ParTime& par) { return par.LevelCrc == levelCrc; });
  return found == Table.end() ? nullptr : &*found;
}

int64_t MedalTarget(Medal medal, const ParTime& par) {
  // Each medal's share of the par as a fraction, by Medal.
  constexpr int64_t Over[] = {0, 9, 7, 23}, Under[] = {1, 5, 5, 20};
  const auto m = static_cast<size_t>(medal);
  // par x Over/Under in tenths, rounded up, then back to hundredths.
  return (StoredHundredths(par.Time) * Over[m] + Under[m] * 10 - 1) / (Under[m] * 10) * 10;
}

Medal MedalFor(int64_t hundredths, const ParTime& par) {
  for (const Medal medal : {Medal::Gold, Medal::Silver, Medal::Bronze})
    if (hundredths <= MedalTarget(medal, par)) return medal;
  return Medal::None;
}

std::string MedalTargetText(Medal medal, const ParTime& par) {
  const std::string text = StopwatchText(MedalTarget(medal, par));
  return text.substr(0, text.size() - 1);  // the hundredths are always 0
}

std::string MedalTargetsText(const ParTime& par) {
  std::string text;
  for (const Medal medal : {Medal::Bronze, Medal::Silver, Medal::Gold})
    text += (text.empty() ? "" : "    ") + std::string(MedalName(medal)) + " " + MedalTargetText(medal, par);
  return text;
}

std::string ShortOfBronzeText(int64_t hundredths, const ParTime& par) {
  const int64_t over = hundredths - MedalTarget(Medal::Bronze, par);
  return over > 0 ? StopwatchText(over) + " too slow for Bronze" : std::string();
}

}  // namespace tobu
