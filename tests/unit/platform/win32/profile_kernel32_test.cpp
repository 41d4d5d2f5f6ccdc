// Windows' own profile functions agree with ours: kernel32's GetPrivateProfileStringA
// reads every reading case as our reader does, and reads what our writer wrote.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile_reading_cases.h"
#include "temp_folder.h"

// Ours first: <windows.h> then makes the profile names macros for its ANSI functions, which
// are undone, as ours are meant wherever the test names them.
// clang-format off
#include "platform/profile.h"
#include <windows.h>
// clang-format on
#undef GetPrivateProfileString
#undef WritePrivateProfileString

namespace {

using mt::test::ProfileReadingCase;
using mt::test::TempFolder;
using mt::test::WriteFileBytes;

std::string Kernel32Read(const char* section, const char* key, uint32_t size,
                         const std::string& path) {
  std::vector<char> buffer(size + 1, '\0');
  const DWORD n = ::GetPrivateProfileStringA(section, key, "", buffer.data(), size, path.c_str());
  return std::string(buffer.data(), n);
}

class Kernel32Reading : public ::testing::TestWithParam<ProfileReadingCase> {
 protected:
  TempFolder folder_;
  std::string file_ = folder_ / "rovoradizu.ini";
};

TEST_P(Kernel32Reading, ReadsAsOurReaderDoes) {
  const auto& c = GetParam();
  WriteFileBytes(file_, c.file);
  EXPECT_EQ(Kernel32Read(c.section, c.key, c.buffer_size, file_), c.want);
}

TEST_P(Kernel32Reading, ReadsWhatOurWriterWrote) {
  const auto& c = GetParam();
  if (*c.section == '\0') GTEST_SKIP() << "a key outside any section cannot be written";
  WriteFileBytes(file_, c.file);
  ASSERT_TRUE(platform::WritePrivateProfileString(c.section, c.key, "47", file_));
  EXPECT_EQ(Kernel32Read(c.section, c.key, 255, file_), "47");
  EXPECT_EQ(platform::GetPrivateProfileString(c.section, c.key, "", 255, file_), "47");
}

INSTANTIATE_TEST_SUITE_P(Cases, Kernel32Reading,
                         ::testing::ValuesIn(mt::test::ProfileReadingCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
