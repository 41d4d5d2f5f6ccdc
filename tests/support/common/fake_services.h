#pragma once
// The one stand-in for the platform's services, for unit and pixel tests and benchmarks. It
// records every call; time is a fake clock that advances only when told (or by
// `wait_advances` per wait); ending the process throws ProcessEnded, which no failure
// handler of the program catches and the test (or the scene harness) does.
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/services.h"

namespace mt::test {

struct ProcessEnded {
  int status;
};

class FakeServices : public platform::ServiceProvider {
 public:
  FakeServices() { platform::InstallServices(this); }
  ~FakeServices() override { platform::InstallServices(nullptr); }

  // Recorded calls, in order, as readable lines such as "PlaySound C:/a.wav 131075".
  std::vector<std::string> calls;
  bool Called(const std::string& prefix) const { return CountCalls(prefix) > 0; }
  int CountCalls(const std::string& prefix) const;

  // Clock.
  uint32_t now = 0;
  uint32_t wait_advances = 0;  // added to `now` by every WaitForMessages, at least to reach it
  bool wait_reaches_deadline = true;
  // Run inside ProcessMessages (events delivered by the test).
  std::function<void()> on_process_messages;

  // Random numbers, returned in order, then 0.5, or after Seed a repeatable uniform
  // sequence (Randomize then re-seeds it repeatably, too).
  std::deque<double> randoms;
  void Seed(uint64_t seed);

  // Answers.
  bool online = true;
  bool start_succeeds = true;
  uint32_t sound_devices = 1;
  int32_t platform_id = 2;
  bool password_ok = true;
  bool registry_found = false;
  platform::RegistryValue registry_value;

  uint32_t TickCount() override { return now; }
  void ProcessMessages() override;
  void WaitForMessages(uint32_t deadline_tick) override;
  [[noreturn]] void EndProcess(int status) override;
  double Random() override;
  void Randomize() override;
  void MessageBox(const std::string& text, const std::string& caption,
                  platform::MessageIcon icon) override;
  bool StartProgram(const std::string& path) override {
    calls.push_back("StartProgram " + path);
    return start_succeeds;
  }
  int32_t OpenDocument(const std::string& target) override {
    calls.push_back("OpenDocument " + target);
    return 42;
  }
  bool IsOnline() override { return online; }
  void PlaySound(const std::string& path, uint32_t flags) override {
    calls.push_back("PlaySound " + path + " " + std::to_string(flags));
  }
  void StopSound() override { calls.push_back("StopSound"); }
  void ReleaseSoundDevice() override { calls.push_back("ReleaseSoundDevice"); }
  uint32_t SoundDeviceCount() override { return sound_devices; }
  int32_t PlatformId() override { return platform_id; }
  bool ReadRegistry(uint32_t root, const std::string& sub_key, const std::string& name,
                    platform::RegistryValue* value) override;
  void SetScreenSaverRunning(bool running) override {
    calls.push_back(std::string("SetScreenSaverRunning ") + (running ? "1" : "0"));
  }
  void SetTopmost(uint32_t window, bool topmost) override {
    calls.push_back("SetTopmost " + std::to_string(window) + (topmost ? " 1" : " 0"));
  }
  void ShowTaskbar(bool show) override {
    calls.push_back(std::string("ShowTaskbar ") + (show ? "1" : "0"));
  }
  bool VerifyPassword(uint32_t window) override {
    calls.push_back("VerifyPassword " + std::to_string(window));
    return password_ok;
  }
  void ChangePassword(uint32_t parent_window) override {
    calls.push_back("ChangePassword " + std::to_string(parent_window));
  }

  // Message boxes shown, their texts.
  std::vector<std::string> messages;

 private:
  bool seeded_ = false;
  uint64_t seed_ = 0;
  uint64_t reseeds_ = 0;
  std::mt19937_64 engine_;
};

}  // namespace mt::test
