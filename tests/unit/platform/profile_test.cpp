// The profile reader and writer, against files written byte for byte.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace {

using mt::test::ReadFileBytes;
using mt::test::TempFolder;
using mt::test::WriteFileBytes;

class Profile : public ::testing::Test {
 protected:
  std::string Read(const std::string& section, const std::string& key, uint32_t size = 255) {
    return platform::GetPrivateProfileString(section, key, "", size, file_);
  }
  void Given(const std::string& bytes) { WriteFileBytes(file_, bytes); }

  TempFolder folder_;
  std::string file_ = folder_ / "rovoradizu.ini";
};

TEST_F(Profile, NamesMatchWithoutRegardToCaseAndFirstMatchWins) {
  Given(
      "[SPEED]\nSpeed=40\nspeed=50\n"
      "[speed]\nspeed=60\n"
      "[soundplay]\nSOUNDPLAY=1\n");
  EXPECT_EQ(Read("speed", "speed"), "40");
  EXPECT_EQ(Read("soundPlay", "soundPlay"), "1");
}

TEST_F(Profile, TrimsBlanksAroundNamesAndValuesAndReadsIndentedLines) {
  Given(
      "  [ weapon\t]  \n"
      "\t  weapon \t=  2 \t\n"
      "[applic]\n"
      "   appcurrent=3\n");
  EXPECT_EQ(Read("weapon", "weapon"), "2");
  EXPECT_EQ(Read("applic", "appcurrent"), "3");
}

TEST_F(Profile, RemovesOnePairOfMatchingQuotesOnly) {
  Given(
      "[q]\n"
      "double=\"a b\"\n"
      "single='c'\n"
      "unmatched=\"d\n"
      "mixed=\"e'\n"
      "nested=\"\"f\"\"\n");
  EXPECT_EQ(Read("q", "double"), "a b");
  EXPECT_EQ(Read("q", "single"), "c");
  EXPECT_EQ(Read("q", "unmatched"), "\"d");
  EXPECT_EQ(Read("q", "mixed"), "\"e'");
  EXPECT_EQ(Read("q", "nested"), "\"f\"");
}

TEST_F(Profile, CommentsKeysWithoutValueAndTrailingText) {
  Given(
      "; a comment\n"
      "[weapon]\n"
      ";weapon=1\n"
      "weapon=2 ; rifle\n"
      "[speed]\n"
      "speed\n"
      "speed=40\n");
  EXPECT_EQ(Read("weapon", "weapon"), "2 ; rifle");  // nothing after a value is a comment
  EXPECT_EQ(Read("speed", "speed"), "");            // a bare key hides the later line
}

TEST_F(Profile, ByteOrderMarkAndCrlfAreRead) {
  Given("\xEF\xBB\xBF[speed]\r\nspeed=30\r\n[weapon]\r\nweapon=1\r\n");
  EXPECT_EQ(Read("speed", "speed"), "30");
  EXPECT_EQ(Read("weapon", "weapon"), "1");
}

TEST_F(Profile, AnythingMissingReadsEmpty) {
  EXPECT_EQ(Read("speed", "speed"), "");  // no file
  Given("[speed]\nspeed=40\n");
  EXPECT_EQ(Read("weapon", "weapon"), "");
  EXPECT_EQ(Read("speed", "sped"), "");
  EXPECT_EQ(Read("", "speed"), "");
  Given("speed=10\n[x]\n");  // a key before any section belongs to none
  EXPECT_EQ(Read("speed", "speed"), "");
}

TEST_F(Profile, LongValueIsCutToTheBuffer) {
  std::string value(300, 'v');
  value[253] = 'L';
  value[254] = 'X';
  Given("[s]\nk=" + value + "\n");
  std::string read = Read("s", "k");
  EXPECT_EQ(read.size(), 254u);
  EXPECT_EQ(read.back(), 'L');
  EXPECT_EQ(Read("s", "k", 4), "vvv");
}

TEST_F(Profile, WriteCreatesFileSectionAndKey) {
  ASSERT_TRUE(platform::WritePrivateProfileString("speed", "speed", "40", file_));
  EXPECT_EQ(ReadFileBytes(file_), "[speed]\nspeed=40\n");
  ASSERT_TRUE(platform::WritePrivateProfileString("applic", "appcurrent", "1", file_));
  ASSERT_TRUE(platform::WritePrivateProfileString("speed", "extra", "x", file_));
  EXPECT_EQ(ReadFileBytes(file_), "[speed]\nspeed=40\nextra=x\n[applic]\nappcurrent=1\n");
}

TEST_F(Profile, WriteReplacesFirstMatchInPlaceAndKeepsEveryOtherByte) {
  const std::string before =
      "; installed settings\r\n"
      "[Speed]\r\n"
      "  SPEED = 20 ; frames\r\n"
      "speed=99\r\n"
      "\r\n"
      "[applic]\r\n"
      "appcurrent=0\r\n"
      "appalert=5\r\n"
      "appdisplay=1";  // no line ending at the end
  Given(before);
  ASSERT_TRUE(platform::WritePrivateProfileString("speed", "speed", "40", file_));
  ASSERT_TRUE(platform::WritePrivateProfileString("applic", "appdisplay", "0", file_));
  ASSERT_TRUE(platform::WritePrivateProfileString("applic", "appnew", "7", file_));
  EXPECT_EQ(ReadFileBytes(file_),
            "; installed settings\r\n"
            "[Speed]\r\n"
            "  SPEED =40\r\n"
            "speed=99\r\n"
            "\r\n"
            "[applic]\r\n"
            "appcurrent=0\r\n"
            "appalert=5\r\n"
            "appdisplay=0\r\n"
            "appnew=7\r\n");
  EXPECT_EQ(Read("speed", "speed"), "40");
}

TEST_F(Profile, NewKeyGoesBeforeTheBlankLinesThatEndASection) {
  Given("[a]\nx=1\n\n\n[b]\ny=2\n");
  ASSERT_TRUE(platform::WritePrivateProfileString("a", "z", "3", file_));
  EXPECT_EQ(ReadFileBytes(file_), "[a]\nx=1\nz=3\n\n\n[b]\ny=2\n");
}

TEST_F(Profile, BareKeyGainsItsValue) {
  Given("[speed]\nspeed\n");
  ASSERT_TRUE(platform::WritePrivateProfileString("speed", "speed", "20", file_));
  EXPECT_EQ(ReadFileBytes(file_), "[speed]\nspeed=20\n");
}

TEST_F(Profile, WriteThatCannotBeMadeChangesNothing) {
  EXPECT_FALSE(platform::WritePrivateProfileString("s", "k", "v", folder_ / "missing/dir/x.ini"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "missing"));

  std::filesystem::create_directory(file_);  // a directory in the file's place
  EXPECT_FALSE(platform::WritePrivateProfileString("s", "k", "v", file_));
  EXPECT_TRUE(std::filesystem::is_directory(file_));
  EXPECT_TRUE(std::filesystem::is_empty(file_));
  // No temporary file is left behind either.
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(folder_.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(Profile, WriteKeepsTheFilesPermissions) {
  Given("[s]\nk=1\n");
  std::filesystem::permissions(file_, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::owner_write |
                                          std::filesystem::perms::group_read);
  ASSERT_TRUE(platform::WritePrivateProfileString("s", "k", "2", file_));
  auto perms = std::filesystem::status(file_).permissions();
  EXPECT_EQ(perms & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

}  // namespace
