// What the sound back end plays, heard through SDL's disk audio driver, which writes the
// mixed output to a file at the pace a sound card would play it.
#include "internal/sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "core/message_pump.h"
#include "platform/services.h"
#include "sdl/wave_check.h"
#include "temp_folder.h"

namespace {

using mt::test::TempFolder;
using namespace std::chrono_literals;

constexpr uint32_t kShot = platform::SND_FILENAME | platform::SND_ASYNC | platform::SND_NODEFAULT;
constexpr uint32_t kAmbient = kShot | platform::SND_NOSTOP;

// A 16-bit mono PCM file at 22050 Hz: a steady tone, or silence when amplitude is 0.
void WriteWav(const std::string& path, double seconds, double amplitude) {
  const uint32_t rate = 22050, frames = static_cast<uint32_t>(seconds * rate);
  std::vector<int16_t> samples(frames);
  for (uint32_t i = 0; i < frames; ++i)
    samples[i] = static_cast<int16_t>(amplitude * 20000 * std::sin(i * 2 * M_PI * 440 / rate));
  // The format chunk: 16 bytes, PCM, one channel, the rate, bytes a second, two bytes a
  // frame, 16 bits a sample.
  const uint32_t format[] = {16, 1 | 1 << 16, rate, rate * 2, 2 | 16 << 16};
  const uint32_t data = frames * 2, riff = 36 + data;
  std::ofstream out(path, std::ios::binary);
  const auto put = [&](const void* p, size_t n) {
    out.write(static_cast<const char*>(p), static_cast<std::streamsize>(n));
  };
  put("RIFF", 4);
  put(&riff, 4);
  put("WAVEfmt ", 8);
  put(format, sizeof format);
  put("data", 4);
  put(&data, 4);
  put(samples.data(), data);
}

class Sound : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    WriteWav(tone_, 3.0, 1.0);
    WriteWav(silence_, 3.0, 0.0);
    ASSERT_EQ(platform::CountSoundOutputDevices(), 1u);
  }
  // Ends playback and closes the device, as the program's end does, and reads what was
  // written (the mixer's 16-bit stereo frames at 44.1 kHz) as peak levels per 50 ms. Counting
  // windows from the first loud one: loud in [loud_from, loud_to), then silent in
  // [quiet_from, quiet_to).
  void ExpectLoudThenQuiet(size_t loud_from, size_t loud_to, size_t quiet_from, size_t quiet_to) {
    platform::detail::RunExitHooks();
    const std::string raw = mt::test::ReadFileBytes(output_);
    std::vector<int16_t> pcm(raw.size() / 2);
    std::memcpy(pcm.data(), raw.data(), pcm.size() * 2);
    const size_t per_window = 44100 / 20 * 2;
    std::vector<int> levels;
    for (size_t start = 0; start + per_window <= pcm.size(); start += per_window) {
      int peak = 0;
      for (size_t i = start; i < start + per_window; ++i) peak = std::max(peak, std::abs(pcm[i]));
      levels.push_back(peak);
    }
    size_t start = 0;
    while (start < levels.size() && levels[start] <= 5000) ++start;
    ASSERT_LT(start + quiet_to, levels.size()) << "the tone never played";
    for (size_t i = start + loud_from; i < start + loud_to; ++i)
      EXPECT_GT(levels[i], 5000) << "window " << i;
    for (size_t i = start + quiet_from; i < start + quiet_to; ++i)
      EXPECT_LT(levels[i], 100) << "window " << i;
  }

  TempFolder folder_;
  std::string output_ = folder_ / "out.raw";
  std::string tone_ = folder_ / "tone.wav";
  std::string silence_ = folder_ / "silence.wav";
};

TEST_F(Sound, AmbientSoundYieldsToWhatPlaysAndAShotCutsItOff) {
  platform::PlaySoundFile(tone_, kShot);
  std::this_thread::sleep_for(600ms);
  platform::PlaySoundFile(silence_, kAmbient);  // skipped: the tone still plays
  std::this_thread::sleep_for(600ms);
  platform::PlaySoundFile(silence_, kShot);  // cuts the tone off
  // Half a second more than the windows checked need: a loaded machine starts the device late.
  std::this_thread::sleep_for(1300ms);
  // 0.2 s to 1.0 s after the tone started: still the tone; 1.5 s to 1.8 s: the tone (3 s
  // long) has been cut off.
  ExpectLoudThenQuiet(4, 20, 30, 36);
}

TEST_F(Sound, MissingFilePlaysNothingAndStopStopsTheTone) {
  platform::PlaySoundFile(folder_ / "missing.wav", kShot);
  std::this_thread::sleep_for(300ms);
  platform::PlaySoundFile(tone_, kAmbient);  // nothing plays, so the ambient sound starts
  std::this_thread::sleep_for(600ms);
  platform::StopAllSound();
  std::this_thread::sleep_for(1000ms);  // past the windows checked, with room for a late start
  ExpectLoudThenQuiet(2, 8, 16, 22);
}

TEST_F(Sound, ReleasedDeviceStreamsNothingAndTheNextSoundOpensItAgain) {
  platform::ReleaseSoundOutput();
  const auto size = [&] {
    return std::filesystem::exists(output_) ? std::filesystem::file_size(output_) : 0;
  };
  const auto closed_at = size();
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(size(), closed_at) << "the released device still writes";
  platform::PlaySoundFile(tone_, kShot);
  std::this_thread::sleep_for(1500ms);
  ExpectLoudThenQuiet(2, 10, 10, 10);
}

// What the mixer is never handed: anything but whole, uncompressed PCM.
TEST(SoundFileCheck, OnlyWholePcmWaveFilesPass) {
  TempFolder folder;
  WriteWav(folder / "good.wav", 0.01, 1.0);
  const std::string bytes = mt::test::ReadFileBytes(folder / "good.wav");
  const std::vector<uint8_t> good(bytes.begin(), bytes.end());
  ASSERT_TRUE(platform::detail::IsPcmWave(good));
  const auto with = [&](size_t at, std::vector<uint8_t> bytes) {
    auto changed = good;
    std::copy(bytes.begin(), bytes.end(), changed.begin() + static_cast<long>(at));
    return changed;
  };
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"cut inside the data", std::vector<uint8_t>(good.begin(), good.end() - 1)},
      {"no data chunk", std::vector<uint8_t>(good.begin(), good.begin() + 36)},
      {"not RIFF", with(0, {'R', 'I', 'F', 'X'})},
      {"ADPCM", with(20, {2, 0})},
      {"no channels", with(22, {0, 0})},
      {"12 bits", with(34, {12, 0})},
      {"block size not channels times sample size", with(32, {4, 0})},
      {"byte rate not rate times block size", with(28, {0, 0, 1, 0})},
      {"format chunk longer than the file", with(16, {0xFF, 0xFF, 0xFF, 0x7F})},
  };
  for (const Case& c : cases) EXPECT_FALSE(platform::detail::IsPcmWave(c.bytes)) << c.why;
}

TEST(SoundDevice, NoDeviceCountsZeroAndPlaysNothingQuietly) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(platform::CountSoundOutputDevices(), 0u);
  TempFolder folder;
  const std::string tone = folder / "tone.wav";
  WriteWav(tone, 0.5, 1.0);
  // A real file, so that the call gets past the file and meets the missing device: it
  // neither complains nor opens a device behind the count's back.
  testing::internal::CaptureStderr();
  platform::PlaySoundFile(tone, kShot);
  platform::PlaySoundFile(tone, kAmbient);
  platform::StopAllSound();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(platform::CountSoundOutputDevices(), 0u);
}

}  // namespace
