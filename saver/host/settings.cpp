// The settings file and the paths derived from the program's folder.
#include <string>

#include "common/product.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "saver/host/mScreenSaver.h"

namespace mScreenSaver {

void ReadSetting(const std::string& sSection, const std::string& sKey, std::string& sValue,
                 const std::string& sFile) {
  // A buffer of 255 characters: at most 254 are copied, and anything missing reads as "".
  sValue = platform::GetPrivateProfileString(sSection, sKey, "", 255, sFile);
}

void WriteSetting(const std::string& sSection, const std::string& sKey, const std::string& sValue,
                  const std::string& sFile) {
  // A write that cannot be made is lost without a message.
  (void)platform::WritePrivateProfileString(sSection, sKey, sValue, sFile);
}

std::string JoinProgramPath(const std::string& folder, const std::string& name) {
  const char separator = platform::PathSeparator();
  std::string path = folder;
  if (path.empty() || path.back() != separator) path += separator;
  return path + name;
}

// Built anew at every call: nothing is cached.
// Where the program folder is not writable the user's own copy stands in for the file
// beside the program; hack mode only reads, so it never makes that copy.
std::string SettingsFilePath() {
  return platform::SettingsFileFor(JoinProgramPath(platform::ProgramFolder(), "rovoradizu.ini"),
                                   "marrowtide-gobble-run", !State().m_bHackMode);
}

std::string AssetFolderPath() {
  return JoinProgramPath(platform::ProgramFolder(), mt::AssetSubfolder(platform::PathSeparator()));
}

std::string CompanionPath() {
#ifdef _WIN32
  return JoinProgramPath(platform::ProgramFolder(), "MarrowtideEmail.exe");
#else
  return JoinProgramPath(platform::ProgramFolder(), "MarrowtideEmail");
#endif
}

}  // namespace mScreenSaver
