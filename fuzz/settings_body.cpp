// The settings reader's fuzz body (declared in fuzz_bodies.h).
#include <vector>

#include "fuzz/fuzz_bodies.h"
#include "settings/settings.h"

namespace tobu::fuzz {

std::string CheckSettingsBytes(std::span<const uint8_t> data) {
  const ParsedSettings parsed = ParseSettings(std::vector<uint8_t>(data.begin(), data.end()));
  const Settings& values = parsed.Values;
  if (values.Volume < 0 || values.Volume > 100) return "a volume outside 0..100";
  const bool damaged = parsed.Complaint && parsed.Complaint->rfind("tobu.ini is damaged", 0) == 0;
  if (damaged && !(values == Settings{})) return "a damaged file gave other than the defaults";
  const ParsedSettings again = ParseSettings(FormatSettings(values));
  if (again.Complaint) return "the written settings read back with a complaint: " + *again.Complaint;
  if (!(again.Values == values)) return "the written settings read back differently";
  return {};
}

}  // namespace tobu::fuzz
