#include "common/text.h"

#include <gtest/gtest.h>

TEST(Text, TrimsSpacesOnlyNotTabs) {
  EXPECT_EQ(mt::TrimSpaces("  /S  "), "/S");
  EXPECT_EQ(mt::TrimSpaces("\t/S "), "\t/S");
  EXPECT_EQ(mt::TrimSpaces("    "), "");
  EXPECT_EQ(mt::TrimSpaces(""), "");
  EXPECT_EQ(mt::TrimSpaces("a b"), "a b");
}

TEST(Text, UpperCasesAsciiLettersOnly) {
  EXPECT_EQ(mt::UpperAscii("/c:4711 ab"), "/C:4711 AB");
  EXPECT_EQ(mt::UpperAscii("\xC3\xA9"), "\xC3\xA9");  // UTF-8 bytes untouched
}
