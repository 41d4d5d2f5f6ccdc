#pragma once
// The reading cases of the profile rules: a file's bytes, what is asked, what is read.
// Our reader is held to them on every platform, and on Windows kernel32's own reader too.
#include <cstdint>
#include <string>
#include <vector>

namespace mt::test {

struct ProfileReadingCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  std::string want;
  uint32_t buffer_size = 255;
};

inline std::string Utf16Le(const std::u16string& text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

inline const std::vector<ProfileReadingCase>& ProfileReadingCases() {
  static const std::string kCase =
      "[SPEED]\nSpeed=40\nspeed=50\n[speed]\nspeed=60\n"
      "[soundplay]\nSOUNDPLAY=1\n";
  static const std::string kBlanks =
      "  [ weapon\t]  \n\t  weapon \t=  2 \t\n[applic]\n"
      "   appcurrent=3\n";
  static const std::string kQuotes =
      "[q]\ndouble=\"a b\"\nsingle='c'\nunmatched=\"d\n"
      "mixed=\"e'\nnested=\"\"f\"\"\n";
  static const std::string kComments =
      "; a comment\n[weapon]\n;weapon=1\nweapon=2 ; rifle\n"
      "[speed]\nspeed\nspeed=40\n";
  static const std::string kMarkCrlf =
      "\xEF\xBB\xBF[speed]\r\nspeed=30\r\n[weapon]\r\nweapon=1\r\n";
  static const std::string kLoneCr = "[speed]\rspeed=30\r[weapon]\rweapon=1";
  static const std::string kLong = [] {
    std::string value(300, 'v');
    value[253] = 'L';
    value[254] = 'X';
    return "[s]\nk=" + value + "\n";
  }();
  static const std::vector<ProfileReadingCase> cases = {
      {"FirstSectionAndKeyWinWithoutRegardToCase", kCase, "speed", "speed", "40"},
      {"KeyCaseIgnored", kCase, "soundPlay", "soundPlay", "1"},
      {"BlanksAroundSectionKeyAndValue", kBlanks, "weapon", "weapon", "2"},
      {"IndentedLine", kBlanks, "applic", "appcurrent", "3"},
      {"DoubleQuotesGo", kQuotes, "q", "double", "a b"},
      {"SingleQuotesGo", kQuotes, "q", "single", "c"},
      {"UnmatchedQuoteStays", kQuotes, "q", "unmatched", "\"d"},
      {"MixedQuotesStay", kQuotes, "q", "mixed", "\"e'"},
      {"OnlyOnePairGoes", kQuotes, "q", "nested", "\"f\""},
      {"NothingAfterAValueIsAComment", kComments, "weapon", "weapon", "2 ; rifle"},
      {"BareKeyHidesTheLaterLine", kComments, "speed", "speed", ""},
      {"Utf8MarkAndCrlf", kMarkCrlf, "speed", "speed", "30"},
      {"CrlfSecondSection", kMarkCrlf, "weapon", "weapon", "1"},
      {"LoneCrEndsALine", kLoneCr, "speed", "speed", "30"},
      {"LoneCrLastLine", kLoneCr, "weapon", "weapon", "1"},
      {"Utf16", Utf16Le(u"[speed]\r\nspeed=30\r\n"), "speed", "speed", "30"},
      {"MissingSection", "[speed]\nspeed=40\n", "weapon", "weapon", ""},
      {"MissingKey", "[speed]\nspeed=40\n", "speed", "sped", ""},
      {"EmptySectionName", "[speed]\nspeed=40\n", "", "speed", ""},
      {"KeyBeforeAnySection", "speed=10\n[x]\n", "speed", "speed", ""},
      {"LongValueCutToTheBuffer", kLong, "s", "k", kLong.substr(6, 254)},
      {"SmallBuffer", kLong, "s", "k", "vvv", 4},
  };
  return cases;
}

}  // namespace mt::test
