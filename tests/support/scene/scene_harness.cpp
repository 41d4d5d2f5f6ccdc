#include "scene_harness.h"

#include <filesystem>
#include <sstream>

#include "saver/graphics/cBitmap.h"
#include "saver/host/mScreenSaver.h"
#include "write_bmp.h"

namespace mt::test {

namespace {
void WriteSheet(const std::string& folder, const SceneSheet& s) {
  WriteBmp24(folder + s.file, s.cells * s.cell_width, s.cell_height,
             [&](int32_t x, int32_t y) -> uint32_t {
               const int32_t cx = x % s.cell_width;
               if (cx == 0 || y == 0 || cx == s.cell_width - 1 || y == s.cell_height - 1)
                 return scene::kTransparentGreen;
               return s.CellColour(x / s.cell_width + 1);
             });
}
}  // namespace

void WriteSceneAssets(const std::string& folder) {
  WriteBmp24(folder + "background.bmp", 16, 16, [](int32_t x, int32_t y) -> uint32_t {
    return ((x / 4 + y / 4) % 2) ? 0x103060 : 0x205040;
  });
  for (const SceneSheet& s : {kBombSheet, kLogoSheet, kTreeSheet, kTreeSmallSheet, kGrassSheet,
                              kGrassRightSheet, kTurkeyLeftSheet, kTurkeyRightSheet}) {
    WriteSheet(folder, s);
  }
  for (const char* cursor : {"scopeShot.cur", "scopeFlame.cur", "scopeRifle.cur"}) {
    WriteFileBytes(folder + cursor, "cursor");
  }
}

Picture ReadPicture(platform::gdi::Handle dc, int32_t w, int32_t h) {
  Picture out(static_cast<size_t>(w) * static_cast<size_t>(h));
  platform::gdi::ReadPixels(dc, 0, 0, w, h, out.data());
  return out;
}

Picture TiledPicture(const std::string& file, int32_t w, int32_t h) {
  cBitmap tile;
  if (!tile.CreateFromFile(file)) return {};
  const Picture t = ReadPicture(tile.hDC(), tile.Width(), tile.Height());
  Picture out(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      out[static_cast<size_t>(y * w + x)] =
          t[static_cast<size_t>(y % tile.Height() * tile.Width() + x % tile.Width())];
  return out;
}

std::string FirstDifference(const Picture& a, const Picture& b, int32_t w) {
  if (a.size() != b.size())
    return "sizes " + std::to_string(a.size()) + " / " + std::to_string(b.size());
  if (a == b) return {};
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    std::ostringstream out;
    out << i % static_cast<size_t>(w) << "," << i / static_cast<size_t>(w) << ": " << std::hex
        << a[i] << " / " << b[i];
    return out.str();
  }
  return {};
}

SceneHarness::SceneHarness(FakeServices& services, int32_t width, int32_t height,
                           const std::string& asset_folder)
    : fake(services), width_(width), height_(height) {
  assets = asset_folder;
  if (assets.empty()) {
    assets = folder / "assets/";
    std::filesystem::create_directories(assets);
    WriteSceneAssets(assets);
  }
  settings = folder / "settings.ini";
  Settings("20", "1", "0");
  fake.now = 100000;
  fake.on_process_messages = [this] {
    if (window) window->Pump();
  };
}

SceneHarness::~SceneHarness() {
  form.reset();
  fake.on_process_messages = nullptr;
  mScreenSaver::ResetModuleState();
}

void SceneHarness::Settings(const std::string& speed, const std::string& sound,
                            const std::string& weapon) {
  WriteFileBytes(settings, "[speed]\nspeed=" + speed + "\n[soundPlay]\nsoundPlay=" + sound +
                               "\n[weapon]\nweapon=" + weapon + "\n");
}

void SceneHarness::Stop() {
  stopping_ = true;
  fake.EndProcess(0);
}

bool SceneHarness::Run(int64_t frames) {
  // What Main does before the run mode starts.
  mScreenSaver::ResetModuleState();
  mScreenSaver::ReadPlatform();
  mScreenSaver::ReadPasswordSetting();
  scene::SceneOptions options;
  options.make_window = [this](const std::string&) -> std::unique_ptr<scene::SceneWindow> {
    auto w = std::make_unique<HeadlessWindow>(width_, height_, window_pixels);
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
    if (done >= frames) Stop();
  };
  form = make_form ? make_form(std::move(options))
                   : std::make_unique<scene::frmSaver>(std::move(options));
  auto& state = mScreenSaver::State();
  state.forms.frmSaver = form.get();
  state.m_bSoundDevice = mScreenSaver::SoundDevicePresent();
  stopping_ = false;
  try {
    // The run mode's whole life: set-up, then the frame loop until the process ends.
    form->Load();
  } catch (const ProcessEnded& e) {
    if (stopping_) return false;
    exit_status = e.status;
    return true;
  }
  return false;
}

}  // namespace mt::test
