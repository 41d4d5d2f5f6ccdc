// The profile reader and writer, against files written byte for byte.
#include "platform/profile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

#include "profile_reading_cases.h"
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

class ProfileReading : public ::testing::TestWithParam<mt::test::ProfileReadingCase> {};

TEST_P(ProfileReading, ReadsTheValue) {
  const auto& c = GetParam();
  TempFolder folder;
  WriteFileBytes(folder / "rovoradizu.ini", c.file);
  EXPECT_EQ(platform::GetPrivateProfileString(c.section, c.key, "", c.buffer_size,
                                              folder / "rovoradizu.ini"),
            c.want);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReading,
                         ::testing::ValuesIn(mt::test::ProfileReadingCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Profile, MissingFileReadsTheDefault) {
  EXPECT_EQ(platform::GetPrivateProfileString("speed", "speed", "20", 255, file_), "20");
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

TEST_F(Profile, NewKeyGoesBeforeTheBlankLinesThatEndASectionAndABareKeyGainsItsValue) {
  for (auto [before, after] :
       {std::pair{"[a]\nx=1\n\n\n[b]\ny=2\n", "[a]\nx=1\nz=3\n\n\n[b]\ny=2\n"},
        {"[a]\nz\n", "[a]\nz=3\n"}}) {
    Given(before);
    ASSERT_TRUE(platform::WritePrivateProfileString("a", "z", "3", file_));
    EXPECT_EQ(ReadFileBytes(file_), after);
  }
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

// Files in the encodings the platform's profile functions recognise by their mark are
// read, and a write keeps the encoding, the mark and every other byte.
TEST_F(Profile, Utf16AndUtf8WithAMarkAreReadAndWrittenInTheirOwnEncoding) {
  const auto utf16 = [](const std::u16string& text, bool big_endian) {
    std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
      const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
      bytes += big_endian ? high : low;
      bytes += big_endian ? low : high;
    }
    return bytes;
  };
  for (bool big_endian : {false, true}) {
    SCOPED_TRACE(big_endian ? "UTF-16 BE" : "UTF-16 LE");
    // A name with a character outside the BMP and one with a lone surrogate.
    Given(
        utf16(u"[speed]\r\nspeed=30\r\nname=J\u00f6rg \U0001F983\r\nodd=\xD800x\r\n", big_endian));
    EXPECT_EQ(Read("speed", "speed"), "30");
    EXPECT_EQ(Read("speed", "name"), "J\xC3\xB6rg \xF0\x9F\xA6\x83");
    ASSERT_TRUE(platform::WritePrivateProfileString("speed", "speed", "45", file_));
    ASSERT_TRUE(platform::WritePrivateProfileString("weapon", "weapon", "2", file_));
    EXPECT_EQ(ReadFileBytes(file_),
              utf16(u"[speed]\r\nspeed=45\r\nname=J\u00f6rg \U0001F983\r\nodd=\xD800x\r\n"
                    u"[weapon]\r\nweapon=2\r\n",
                    big_endian));
  }
  Given("\xEF\xBB\xBF[speed]\nspeed=30\n");
  ASSERT_TRUE(platform::WritePrivateProfileString("speed", "speed", "45", file_));
  EXPECT_EQ(ReadFileBytes(file_), "\xEF\xBB\xBF[speed]\nspeed=45\n");
}

// New lines end as the file's lines do (a lone CR among them; reading it is a reading case).
TEST_F(Profile, NewLinesTakeTheFilesEndingEvenALoneCr) {
  Given("[speed]\rspeed=30\r[weapon]\rweapon=1");
  ASSERT_TRUE(platform::WritePrivateProfileString("speed", "extra", "x", file_));
  ASSERT_TRUE(platform::WritePrivateProfileString("applic", "appcurrent", "1", file_));
  EXPECT_EQ(ReadFileBytes(file_),
            "[speed]\rspeed=30\rextra=x\r[weapon]\rweapon=1\r[applic]\rappcurrent=1\r");
  // The first line ending decides, even when the first line is a blank one.
  Given("\r\n[a]\nx=1");
  ASSERT_TRUE(platform::WritePrivateProfileString("a", "y", "2", file_));
  EXPECT_EQ(ReadFileBytes(file_), "\r\n[a]\nx=1\r\ny=2\r\n");
}

#ifndef _WIN32  // owners, permission bits and symbolic links are POSIX matters
// A settings file that is a symbolic link stays one: the write replaces its target.
TEST_F(Profile, WriteThroughASymbolicLinkReplacesItsTarget) {
  std::filesystem::create_directory(folder_ / "real");
  const std::string target = folder_ / "real/settings.ini";
  WriteFileBytes(target, "[s]\nk=1\n");
  std::filesystem::create_symlink("real/settings.ini", file_);  // relative, as people make them
  ASSERT_TRUE(platform::WritePrivateProfileString("s", "k", "2", file_));
  EXPECT_TRUE(std::filesystem::is_symlink(file_));
  EXPECT_EQ(ReadFileBytes(target), "[s]\nk=2\n");
  EXPECT_EQ(Read("s", "k"), "2");
}

// A file without write permission is not written, not even by root; a written file keeps
// its permission bits, and a file owned by someone else its owner and group too.
TEST_F(Profile, ReadOnlyFileIsNotWrittenAndModeAndOwnerNeverChange) {
  Given("[s]\nk=1\n");
  chmod(file_.c_str(), 0440);
  EXPECT_FALSE(platform::WritePrivateProfileString("s", "k", "2", file_));
  EXPECT_EQ(ReadFileBytes(file_), "[s]\nk=1\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()), {}), 1);

  chmod(file_.c_str(), 0744);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(file_.c_str(), 65534, 65534), 0);
  }
  ASSERT_TRUE(platform::WritePrivateProfileString("s", "k", "3", file_));
  struct stat st {};
  ASSERT_EQ(stat(file_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0744u);
  EXPECT_EQ(Read("s", "k"), "3");
  if (!root) GTEST_SKIP() << "giving a file to another user needs root";
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
}
#endif

}  // namespace
