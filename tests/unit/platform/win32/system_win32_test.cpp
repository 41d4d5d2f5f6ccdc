// Process and system facts on Windows, under Wine: command line, previous instance, program
// start, registry, file look-up. (The 9x family's password calls are the Wine e2e test's,
// through the whole saver.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "temp_folder.h"

// clang-format off
#include "internal/registry.h"
#include "internal/shell.h"
#include "platform/system.h"
// <windows.h> makes these names macros.
namespace ours {
constexpr uint32_t kCurrentUser = platform::HKEY_CURRENT_USER;
}  // namespace ours
#include <windows.h>
// clang-format on

namespace {

namespace fs = std::filesystem;
using mt::test::ReadFileBytes;
using mt::test::TempFolder;

// Started again as a probe, this program answers one question before any test runs.
[[maybe_unused]] const bool probe_answered = [] {
  const char* probe = std::getenv("MT_PROBE");
  if (!probe) return false;
  const std::string what = probe;
  if (what == "previous") ::ExitProcess(platform::PreviousInstanceRunning() ? 1 : 0);
  if (what == "started") {
    std::ofstream(std::getenv("MT_PROBE_OUT")) << platform::RawCommandLine();
    ::ExitProcess(0);
  }
  return false;
}();

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Runs a program with a command line and an extra environment variable; its exit status.
DWORD RunProbe(const std::string& program, const std::string& line, const char* probe) {
  ::SetEnvironmentVariableA("MT_PROBE", probe);
  std::string writable = line;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD status = 999;
  if (::CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process)) {
    ::WaitForSingleObject(process.hProcess, 60000);
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::SetEnvironmentVariableA("MT_PROBE", nullptr);
  return status;
}

// (After a quoted name, the Wine e2e test's runs of the saver, whose name has a blank.)
TEST(CommandLine, IsTheTextAfterAnUnquotedProgramName) {
  TempFolder folder;
  const std::string out = folder / "line.txt";
  ::SetEnvironmentVariableA("MT_PROBE_OUT", out.c_str());
  ASSERT_EQ(RunProbe(ThisProgram(), "x.scr /c:42", "started"), 0u);
  EXPECT_EQ(ReadFileBytes(out), "/c:42");
  ASSERT_EQ(RunProbe(ThisProgram(), "x.scr", "started"), 0u);
  EXPECT_EQ(ReadFileBytes(out), "");
}

TEST(PreviousInstance, TheSameProgramInAnotherFolderIsAnotherInstallation) {
  ASSERT_FALSE(platform::PreviousInstanceRunning());  // this process takes the claim
  EXPECT_EQ(RunProbe(ThisProgram(), "probe", "previous"), 1u);
  TempFolder folder;
  fs::copy_file(ThisProgram(), folder / "copy.exe");
  EXPECT_EQ(RunProbe(folder / "copy.exe", "copy", "previous"), 0u);
}

TEST(StartDetached, StartsByAbsolutePathOnlyAndWithoutArguments) {
  TempFolder folder;
  const std::string out = folder / "started.txt";
  ::SetEnvironmentVariableA("MT_PROBE_OUT", out.c_str());
  ::SetEnvironmentVariableA("MT_PROBE", "started");
  EXPECT_FALSE(platform::StartDetached("unit_platform.exe"));
  EXPECT_FALSE(platform::StartDetached(folder / "missing.exe"));
  ASSERT_TRUE(platform::StartDetached(ThisProgram()));
  ::SetEnvironmentVariableA("MT_PROBE", nullptr);
  for (int i = 0; i < 300 && !fs::exists(out); ++i) ::Sleep(100);
  ::Sleep(200);
  EXPECT_EQ(ReadFileBytes(out), "");
}

// (A stored value read, the Wine e2e test's password mode holds: it starts from one.)
TEST(Registry, ReadsNothingTooLongOrMissing) {
  const char* key = "Software\\Marrowtide Tests";
  HKEY h = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                              nullptr),
            ERROR_SUCCESS);
  const std::string longer(300, 'x');
  ::RegSetValueExA(h, "Long", 0, REG_SZ, reinterpret_cast<const BYTE*>(longer.c_str()), 301);
  ::RegCloseKey(h);

  platform::RegistryValue value;
  // More than the 255-byte buffer holds: the read fails, as RegQueryValueExA does.
  EXPECT_FALSE(platform::ReadRegistryValue(ours::kCurrentUser, key, "Long", &value));
  EXPECT_FALSE(platform::ReadRegistryValue(ours::kCurrentUser, key, "Missing", &value));
  EXPECT_FALSE(platform::ReadRegistryValue(ours::kCurrentUser, "Software\\Nowhere",
                                           "ScreenSaveUsePassword", &value));
  ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

TEST(FileLookUp, MatchesAsTheDirectoryLookUpDoesAndGivesTheStoredName) {
  TempFolder folder;
  std::ofstream(folder / "background.bmp") << "x";
  const std::string dir = folder.path().string();
  EXPECT_EQ(platform::FindFileInFolder(dir, "background.bmp"), "background.bmp");
  EXPECT_EQ(platform::FindFileInFolder(dir, "Background.BMP"), "background.bmp");
  EXPECT_EQ(platform::FindFileInFolder(dir, "*.bmp"), "");
  EXPECT_EQ(platform::FindFileInFolder(dir, "tree.bmp"), "");
  EXPECT_EQ(platform::FindFileInFolder(dir + "\\nope", "background.bmp"), "");
}

TEST(PlatformFamily, WineReportsTheNtFamilyByDefault) {
  EXPECT_EQ(platform::PlatformId(), platform::kPlatformNT);
}

}  // namespace
