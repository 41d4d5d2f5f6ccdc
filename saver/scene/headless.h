#pragma once
// The scene without a display: the same frmSaver code on a memory DC of any size (the
// "screen"), with a clock that jumps to each deadline, seeded random numbers, scripted
// clicks and keys, and no sound output. For tests and benchmarks, and repeatable: the same
// options give the same pixels.
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/services.h"
#include "saver/graphics/cBitmap.h"
#include "saver/scene/frmSaver.h"
#include "saver/scene/scene_window.h"

namespace mt::scene {

// A window whose DC is a screen-sized memory bitmap. Events wait in a queue until the next
// message processing; the timer follows the installed services' tick count.
class HeadlessWindow final : public SceneWindow {
 public:
  HeadlessWindow(int32_t width, int32_t height);

  ScreenMetrics Screen() override { return ScreenMetrics::Pixels(width_, height_); }
  void Show() override { shown_ = true; }
  void Unload() override { unloaded_ = true; }
  platform::gdi::Handle hDC() override { return screen_.hDC(); }
  uint32_t hWnd() override { return 1; }
  double ScaleWidth() override { return width_; }
  double ScaleHeight() override { return height_; }
  void SetCursorFromFile(const std::string& path) override;
  void SetTimer(bool enabled, int32_t interval_ms) override;
  bool TimerEnabled() override { return timer_enabled_; }
  int32_t TimerInterval() override { return timer_interval_; }
  void SetHandlers(Handlers handlers) override { handlers_ = std::move(handlers); }

  void QueueClick(double x, double y, int button = 1);
  void QueueKey(int key_code);
  // Delivers the queued events, then ticks the timer when it is due.
  void Pump();
  // Whether the timer is armed, and its due tick.
  bool TimerDue(uint32_t* due_tick) const;

  bool shown() const { return shown_; }
  bool unloaded() const { return unloaded_; }
  const std::string& cursor() const { return cursor_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

 private:
  struct Event {
    bool key = false;
    platform::MouseEvent mouse;
    platform::KeyEvent key_event;
  };
  int32_t width_, height_;
  cBitmap screen_;
  std::deque<Event> events_;
  Handlers handlers_;
  bool shown_ = false, unloaded_ = false;
  std::string cursor_;
  bool timer_enabled_ = false;
  int32_t timer_interval_ = 0;
  uint32_t timer_due_ = 0;
};

// Thrown by the headless services where the real program would end.
struct HeadlessProcessEnded {
  int status;
};

// The services of a headless run: a clock that jumps to the next deadline or timer tick,
// a seeded generator (re-seeding stays repeatable), recorded sounds and message boxes.
class HeadlessServices final : public platform::ServiceProvider {
 public:
  explicit HeadlessServices(uint64_t seed, uint32_t start_tick, uint32_t sound_devices);

  void SetWindow(HeadlessWindow* window) { window_ = window; }

  uint32_t TickCount() override { return now; }
  void ProcessMessages() override;
  void WaitForMessages(uint32_t deadline_tick) override;
  [[noreturn]] void EndProcess(int status) override;
  double Random() override;
  void Randomize() override;
  void MessageBox(const std::string& text, const std::string& caption,
                  platform::MessageIcon icon) override;
  bool StartProgram(const std::string&) override { return false; }
  int32_t OpenDocument(const std::string&) override { return 0; }
  bool IsOnline() override { return false; }
  void PlaySound(const std::string& path, uint32_t flags) override;
  void StopSound() override { sounds.push_back("stop"); }
  uint32_t SoundDeviceCount() override { return sound_devices_; }
  int32_t PlatformId() override { return 2; }
  bool ReadRegistry(uint32_t, const std::string&, const std::string&,
                    platform::RegistryValue*) override {
    return false;
  }
  void SetScreenSaverRunning(bool) override {}
  void SetTopmost(uint32_t, bool) override {}
  void ShowTaskbar(bool) override {}
  bool VerifyPassword(uint32_t) override { return true; }
  void ChangePassword(uint32_t) override {}

  uint32_t now;
  std::vector<std::string> sounds;    // "path flags", or "stop"
  std::vector<std::string> messages;  // texts of the message boxes

 private:
  HeadlessWindow* window_ = nullptr;
  std::mt19937_64 engine_;
  uint64_t seed_;
  uint64_t reseeds_ = 0;
  uint32_t sound_devices_;
};

struct HeadlessClick {
  int64_t frame = 0;  // delivered in that frame's message processing (frames count from 0)
  double x = 0, y = 0;
  int button = 1;
};

struct HeadlessOptions {
  int32_t width = 1280;
  int32_t height = 720;
  uint64_t seed = 1;
  uint32_t start_tick = 1000;
  int64_t frames = 100;      // Run stops after this many frames
  std::string asset_folder;  // with its trailing separator; empty: the program's own
  std::string speed = "20";
  std::string sound_play = "1";
  std::string weapon = "0";
  uint32_t sound_devices = 1;
  std::vector<HeadlessClick> clicks;
  std::function<void(frmSaver&, int64_t frame)> after_restore;
  std::function<void(frmSaver&, int64_t frames_done)> after_frame;
};

struct HeadlessResult {
  int64_t frames = 0;  // frames completed
  bool ended = false;  // the program ended (exit sequence or failure)
  int exit_status = 0;
};

class HeadlessScene {
 public:
  explicit HeadlessScene(HeadlessOptions options);
  ~HeadlessScene();
  HeadlessScene(const HeadlessScene&) = delete;
  HeadlessScene& operator=(const HeadlessScene&) = delete;

  // The real set-up and frame loop, stopped after the given number of frames or when the
  // program ends.
  HeadlessResult Run();

  // Frame by frame, for benchmarks: the set-up without the loop, the loop's preparation,
  // then one frame per call.
  void LoadOnly();
  void Prepare();
  void Frame();

  frmSaver& Form() { return *form_; }
  HeadlessWindow& Window() { return *window_; }
  HeadlessServices& Services() { return services_; }

 private:
  SceneOptions MakeSceneOptions(bool set_up_only);
  void Start(bool set_up_only);

  HeadlessOptions options_;
  HeadlessServices services_;
  std::string settings_file_;
  HeadlessWindow* window_ = nullptr;  // owned by the form
  bool stepping_ = false;             // frames driven one by one: no stop by count
  std::unique_ptr<frmSaver> form_;
};

}  // namespace mt::scene
