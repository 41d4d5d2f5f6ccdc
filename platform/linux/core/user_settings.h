#pragma once
// The choice behind SettingsFileFor, with what it reads of the system passed in, so that
// tests can take the place of a user who may not write the program folder.
#include <string>

namespace platform::detail {

// `config_home` is $XDG_CONFIG_HOME or ~/.config, empty when neither is known.
std::string ChooseSettingsFile(const std::string& installed_file, const std::string& app_name,
                               bool make_copy, bool folder_writable,
                               const std::string& config_home);

}  // namespace platform::detail
