// The web build parses tobu.ini with its own copy of inih's parser (Debian's is built for
// the host only): on the same text it must report the same lines and the same first error.
#include <gtest/gtest.h>
#include <ini.h>

#include <string>
#include <vector>

extern "C" int tobu_web_ini_parse_string(const char* string, ini_handler handler, void* user);

namespace {

struct Parse {
  std::vector<std::string> Lines;  // "section|name|value" for each call
  int Result = 0;
  bool operator==(const Parse&) const = default;
};

int Record(void* user, const char* section, const char* name, const char* value) {
  auto& parse = *static_cast<Parse*>(user);
  parse.Lines.push_back(std::string(section) + "|" + name + "|" + value);
  return std::string(name) != "refuse";
}

Parse ParseWith(int (*parser)(const char*, ini_handler, void*), const std::string& text) {
  Parse parse;
  parse.Result = parser(text.c_str(), Record, &parse);
  return parse;
}

struct IniCase {
  const char* Name;
  const char* Text;
};

class WebIniParser : public testing::TestWithParam<IniCase> {};

TEST_P(WebIniParser, ParsesAsDebiansInih) {
  const Parse expected = ParseWith(ini_parse_string, GetParam().Text);
  const Parse actual = ParseWith(tobu_web_ini_parse_string, GetParam().Text);
  EXPECT_EQ(actual.Result, expected.Result);
  EXPECT_EQ(actual.Lines, expected.Lines);
}

constexpr IniCase IniCases[] = {
    {"Written",
     "[tobu]\nfullscreen = on\nscale = fit\nsound = off\nvolume = 80\ngamepad = on\nghost = off\n"},
    {"NoSection", "sound=on\nvolume=5"},
    {"Colon", "[tobu]\nsound: off\n"},
    {"Comments", "; about\n# more\n[tobu]\n  ; indented\nsound = on ; why\nvolume = 7;no\n"},
    {"EmptyValue", "[tobu]\nsound =\n = 3\n"},
    {"MissingEquals", "[tobu]\nsound on\nvolume = 3\nbroken\n"},
    {"OpenSection", "[tobu\nsound = on\n[other]\nx = 1\n"},
    {"SectionComment", "[tobu] ; the game\nsound = on\n"},
    {"ByteOrderMark", "\xEF\xBB\xBF[tobu]\nsound = on\n"},
    {"CarriageReturns", "[tobu]\r\nsound = off\r\n\r\nvolume = 40\r\n"},
    {"Continuation", "[tobu]\nsound = on\n  more\n\n\tand more ; cut\n[x]\n  orphan\n"},
    {"Refused", "[tobu]\nrefuse = 1\nsound = on\nbad line\n"},
    {"Spaces", "  [ tobu ]  \n\t sound\t=\t on \t\n"},
    {"Empty", ""},
};

INSTANTIATE_TEST_SUITE_P(Texts, WebIniParser, testing::ValuesIn(IniCases),
                         [](const testing::TestParamInfo<IniCase>& text) {
                           return std::string(text.param.Name);
                         });

}  // namespace
