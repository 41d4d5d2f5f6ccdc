#include "fake_services.h"

namespace mt::test {

bool FakeServices::Called(const std::string& prefix) const {
  return CountCalls(prefix) > 0;
}

int FakeServices::CountCalls(const std::string& prefix) const {
  int n = 0;
  for (const auto& c : calls) {
    if (c.compare(0, prefix.size(), prefix) == 0) ++n;
  }
  return n;
}

void FakeServices::ProcessMessages() {
  calls.push_back("ProcessMessages");
  if (on_process_messages) on_process_messages();
}

void FakeServices::WaitForMessages(uint32_t deadline_tick) {
  calls.push_back("WaitForMessages " + std::to_string(deadline_tick));
  uint32_t before = now;
  now += wait_advances;
  if (wait_reaches_deadline && static_cast<int32_t>(now - deadline_tick) < 0 &&
      static_cast<int32_t>(deadline_tick - before) >= 0) {
    now = deadline_tick;
  }
}

void FakeServices::EndProcess(int status) {
  calls.push_back("EndProcess " + std::to_string(status));
  throw ProcessEnded{status};
}

void FakeServices::Seed(uint64_t seed) {
  seeded_ = true;
  seed_ = seed;
  reseeds_ = 0;
  engine_.seed(seed);
}

double FakeServices::Random() {
  if (randoms.empty()) {
    if (!seeded_) return random_default;
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
  }
  double r = randoms.front();
  randoms.pop_front();
  return r;
}

void FakeServices::Randomize() {
  calls.push_back("Randomize");
  // A new seed per call, as the clock would give, yet the same over every run.
  if (seeded_) engine_.seed(seed_ + ++reseeds_);
}

void FakeServices::MessageBox(const std::string& text, const std::string& caption,
                              platform::MessageIcon icon) {
  calls.push_back("MessageBox " + caption +
                  (icon == platform::MessageIcon::Warning ? " warning" : ""));
  messages.push_back(text);
}

bool FakeServices::StartProgram(const std::string& path) {
  calls.push_back("StartProgram " + path);
  return start_succeeds;
}

int32_t FakeServices::OpenDocument(const std::string& target) {
  calls.push_back("OpenDocument " + target);
  return 42;
}

void FakeServices::PlaySound(const std::string& path, uint32_t flags) {
  calls.push_back("PlaySound " + path + " " + std::to_string(flags));
}

bool FakeServices::ReadRegistry(uint32_t root, const std::string& sub_key, const std::string& name,
                                platform::RegistryValue* value) {
  calls.push_back("ReadRegistry " + std::to_string(root) + " " + sub_key + " " + name);
  if (!registry_found) return false;
  *value = registry_value;
  return true;
}

void FakeServices::SetScreenSaverRunning(bool running) {
  calls.push_back(std::string("SetScreenSaverRunning ") + (running ? "1" : "0"));
}

void FakeServices::SetTopmost(uint32_t window, bool topmost) {
  calls.push_back("SetTopmost " + std::to_string(window) + (topmost ? " 1" : " 0"));
}

void FakeServices::ShowTaskbar(bool show) {
  calls.push_back(std::string("ShowTaskbar ") + (show ? "1" : "0"));
}

bool FakeServices::VerifyPassword(uint32_t window) {
  calls.push_back("VerifyPassword " + std::to_string(window));
  return password_ok;
}

void FakeServices::ChangePassword(uint32_t parent_window) {
  calls.push_back("ChangePassword " + std::to_string(parent_window));
}

}  // namespace mt::test
