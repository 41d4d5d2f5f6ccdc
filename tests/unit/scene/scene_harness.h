#pragma once
// Runs the real frmSaver against the recording fake services, a headless window (a memory
// DC as the screen) and a folder of small generated pictures whose sizes the tests know.
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fake_services.h"
#include "saver/host/mScreenSaver.h"
#include "saver/scene/frmSaver.h"
#include "saver/scene/headless.h"
#include "temp_folder.h"

namespace mt::test {

// Cell sizes of the generated sheets.
inline constexpr int32_t kTurkeyW = 12, kTurkeyH = 10;
inline constexpr int32_t kBombW = 20, kBombH = 20;

// A 24-bit bottom-up .bmp; rgb(x, y) gives 0x00RRGGBB.
inline void WriteBmp(const std::string& path, int32_t w, int32_t h,
                     const std::function<uint32_t(int32_t, int32_t)>& rgb) {
  const int32_t row = (w * 3 + 3) / 4 * 4;
  const uint32_t data = static_cast<uint32_t>(row * h);
  std::string b;
  auto u16 = [&](uint32_t v) { b += char(v & 0xFF), b += char((v >> 8) & 0xFF); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  b += "BM";
  u32(54 + data), u32(0), u32(54);
  u32(40), u32(static_cast<uint32_t>(w)), u32(static_cast<uint32_t>(h)), u16(1), u16(24), u32(0),
      u32(data), u32(2835), u32(2835), u32(0), u32(0);
  for (int32_t y = h - 1; y >= 0; --y) {
    std::string line;
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t c = rgb(x, y);
      line += char(c & 0xFF), line += char((c >> 8) & 0xFF), line += char((c >> 16) & 0xFF);
    }
    line.resize(static_cast<size_t>(row), '\0');
    b += line;
  }
  WriteFileBytes(path, b);
}

// A sheet of `cells` cells, each a solid colour inside a one-pixel green (transparent) frame.
inline void WriteSheet(const std::string& path, int32_t cells, int32_t cw, int32_t ch,
                       uint32_t base) {
  WriteBmp(path, cells * cw, ch, [=](int32_t x, int32_t y) -> uint32_t {
    const int32_t cx = x % cw;
    if (cx == 0 || y == 0 || cx == cw - 1 || y == ch - 1) return 0x00FF00;
    return base + static_cast<uint32_t>(x / cw) * 0x10;
  });
}

inline void WriteSceneAssets(const std::string& folder) {
  WriteBmp(folder + "background.bmp", 16, 16, [](int32_t x, int32_t y) -> uint32_t {
    return ((x / 4 + y / 4) % 2) ? 0x603010 : 0x405020;
  });
  WriteSheet(folder + "bomb.bmp", 6, kBombW, kBombH, 0xC00000);
  WriteSheet(folder + "logo.bmp", 1, 30, 12, 0x0000C0);
  WriteSheet(folder + "tree.bmp", 1, 20, 40, 0x106010);
  WriteSheet(folder + "treeSmall.bmp", 1, 10, 20, 0x107010);
  WriteSheet(folder + "grassPatch.bmp", 1, 24, 8, 0x20A020);
  WriteSheet(folder + "grassPatchRight.bmp", 1, 24, 8, 0x20B020);
  WriteSheet(folder + "turkeyLeft.bmp", 5, kTurkeyW, kTurkeyH, 0x805000);
  WriteSheet(folder + "turkeyRight.bmp", 5, kTurkeyW, kTurkeyH, 0x806000);
  for (const char* cursor : {"scopeShot.cur", "scopeFlame.cur", "scopeRifle.cur"}) {
    WriteFileBytes(folder + cursor, "cursor");
  }
}

struct StopFrames {};

class SceneHarness {
 public:
  explicit SceneHarness(int32_t width = 320, int32_t height = 240)
      : width_(width), height_(height) {
    assets = folder / "assets/";
    std::filesystem::create_directories(assets);
    WriteSceneAssets(assets);
    settings = folder / "settings.ini";
    Settings("20", "1", "0");
    fake.now = 100000;
    fake.on_process_messages = [this] {
      if (window) window->Pump();
    };
  }
  ~SceneHarness() {
    form.reset();
    mScreenSaver::ResetModuleState();
  }

  void Settings(const std::string& speed, const std::string& sound, const std::string& weapon) {
    WriteFileBytes(settings, "[speed]\nspeed=" + speed + "\n[soundPlay]\nsoundPlay=" + sound +
                                 "\n[weapon]\nweapon=" + weapon + "\n");
  }

  // Loads the scene and runs `frames` frames (or until the program ends). Returns true when
  // the program ended.
  bool Run(int64_t frames) {
    mScreenSaver::ResetModuleState();
    mScreenSaver::ReadPlatform();
    mScreenSaver::ReadPasswordSetting();
    SceneOptions options;
    options.make_window = [this](const std::string&) -> std::unique_ptr<scene::SceneWindow> {
      auto w = std::make_unique<scene::HeadlessWindow>(width_, height_);
      window = w.get();
      return w;
    };
    options.settings_file = settings;
    options.asset_folder = assets;
    options.after_restore = [this](int64_t frame) {
      if (on_restore) on_restore(frame);
    };
    options.after_frame = [this, frames](int64_t done) {
      if (on_frame) on_frame(done);
      if (done >= frames) throw StopFrames{};
    };
    form = std::make_unique<scene::frmSaver>(options);
    auto& state = mScreenSaver::State();
    state.forms.frmSaver = form.get();
    state.m_bSoundDevice = mScreenSaver::SoundDevicePresent();
    try {
      form->Load();
    } catch (const StopFrames&) {
      return false;
    } catch (const ProcessEnded& e) {
      exit_status = e.status;
      return true;
    }
    return false;
  }

  using SceneOptions = scene::SceneOptions;

  FakeServices fake;
  TempFolder folder;
  std::string assets, settings;
  scene::HeadlessWindow* window = nullptr;
  std::unique_ptr<scene::frmSaver> form;
  std::function<void(int64_t)> on_restore;  // after frame N's restore step (N from 0)
  std::function<void(int64_t)> on_frame;    // after N frames are done (N from 1)
  int exit_status = -1;

 private:
  int32_t width_, height_;
};

}  // namespace mt::test
