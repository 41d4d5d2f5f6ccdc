#include "fake_services.h"

namespace mt::test {

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
    if (!seeded_) return 0.5;
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

bool FakeServices::ReadRegistry(uint32_t root, const std::string& sub_key, const std::string& name,
                                platform::RegistryValue* value) {
  calls.push_back("ReadRegistry " + std::to_string(root) + " " + sub_key + " " + name);
  if (!registry_found) return false;
  *value = registry_value;
  return true;
}

}  // namespace mt::test
