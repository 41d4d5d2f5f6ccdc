// Control texts reach the program as UTF-8 whatever the code page, so the referral address
// encodes "é" as %C3%A9 on Windows as on Linux.
#include <gtest/gtest.h>

#include "win32_api.h"

namespace {

TEST(Win32Text, Utf16BecomesUtf8IncludingPairs) {
  EXPECT_EQ(platform::win32::WideToUtf8(L"Ren\u00e9 \U0001F983"),
            "Ren\xC3\xA9 \xF0\x9F\xA6\x83");
  EXPECT_EQ(platform::win32::WideToUtf8(L""), "");
}

TEST(Win32Text, AnsiCodePageBecomesUtf8) {
  EXPECT_EQ(platform::win32::AnsiToUtf8("plain"), "plain");
  if (::GetACP() != 1252) GTEST_SKIP() << "the check below is for code page 1252";
  EXPECT_EQ(platform::win32::AnsiToUtf8("Ren\xE9"), "Ren\xC3\xA9");
  EXPECT_EQ(platform::win32::AnsiToWide("\xE9"), L"\u00e9");
}

}  // namespace
