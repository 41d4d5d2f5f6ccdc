#pragma once
// The settings file beside the test program, written fresh for each test and removed after.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fake_forms.h"
#include "fake_services.h"
#include "saver/host/mScreenSaver.h"
#include "temp_folder.h"

namespace mt::test {

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mScreenSaver::ResetModuleState();
    mScreenSaver::State().forms = windows.forms();
    std::filesystem::remove(file);
  }
  void TearDown() override { std::filesystem::remove(file); }
  void Given(const std::string& bytes) { WriteFileBytes(file, bytes); }
  std::string Bytes() { return ReadFileBytes(file); }
  std::string Key(const std::string& section, const std::string& key) {
    std::string value;
    mScreenSaver::ReadSetting(section, key, value, file);
    return value;
  }

  const std::string file = mScreenSaver::SettingsFilePath();
  FakeServices services;
  RecordingForms windows;
};

}  // namespace mt::test
