#pragma once
// Facts about the product that both programs share.
#include <string>

namespace mt {

// The program's title, the caption of both programs' message boxes.
inline constexpr const char* kProgramTitle = "Marrowtide Gobble-run";

// The asset folder below the program's folder, a build setting: its parts joined by the
// given separator, with one at the end ("duruzarurode/gobblerun/" on Linux).
std::string AssetSubfolder(char separator);

}  // namespace mt
