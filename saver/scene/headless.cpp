#include "saver/scene/headless.h"

#include <filesystem>
#include <fstream>

#include "common/error.h"
#include "saver/host/mScreenSaver.h"

namespace mt::scene {

// ----------------------------------------------------------------- HeadlessWindow

HeadlessWindow::HeadlessWindow(int32_t width, int32_t height) : width_(width), height_(height) {
  if (!screen_.CreateAtSize(width, height))
    mt::Fail(mt::ErrorKind::BadFile, "no memory for the screen");
  // Black until drawn, like a new window: the bitmap XOR itself.
  screen_.RenderBitmap(screen_.hDC(), 0, 0, platform::gdi::SRCINVERT);
}

void HeadlessWindow::SetCursorFromFile(const std::string& path) {
  // No cursor to show, but a file that is not there fails as it would on the screen.
  std::ifstream in(path, std::ios::binary);
  if (!in || in.peek() == std::ifstream::traits_type::eof()) {
    mt::Fail(mt::ErrorKind::BadFile, "cursor: cannot read " + path);
  }
  cursor_ = path;
}

void HeadlessWindow::SetTimer(bool enabled, int32_t interval_ms) {
  timer_enabled_ = enabled;
  timer_interval_ = interval_ms;
  timer_due_ = platform::Services().TickCount() + static_cast<uint32_t>(interval_ms);
}

bool HeadlessWindow::TimerDue(uint32_t* due_tick) const {
  if (!timer_enabled_ || timer_interval_ <= 0 || unloaded_) return false;
  *due_tick = timer_due_;
  return true;
}

void HeadlessWindow::QueueClick(double x, double y, int button) {
  Event e;
  e.mouse.button = button;
  e.mouse.x = x;
  e.mouse.y = y;
  events_.push_back(e);
}

void HeadlessWindow::QueueKey(int key_code) {
  Event e;
  e.key = true;
  e.key_event.key_code = key_code;
  events_.push_back(e);
}

void HeadlessWindow::Pump() {
  while (!unloaded_ && !events_.empty()) {
    Event e = events_.front();
    events_.pop_front();
    if (e.key) {
      if (handlers_.key_down) handlers_.key_down(e.key_event);
    } else if (handlers_.mouse_down) {
      handlers_.mouse_down(e.mouse);
    }
  }
  uint32_t due = 0;
  if (!TimerDue(&due)) return;
  const uint32_t now = platform::Services().TickCount();
  if (static_cast<int32_t>(now - due) >= 0) {
    timer_due_ = now + static_cast<uint32_t>(timer_interval_);
    if (handlers_.timer) handlers_.timer();
  }
}

// --------------------------------------------------------------- HeadlessServices

HeadlessServices::HeadlessServices(uint64_t seed, uint32_t start_tick, uint32_t sound_devices)
    : now(start_tick), engine_(seed), seed_(seed), sound_devices_(sound_devices) {}

void HeadlessServices::ProcessMessages() {
  if (window_) window_->Pump();
}

void HeadlessServices::WaitForMessages(uint32_t deadline_tick) {
  // Time jumps to whatever comes first: the deadline or the timer's tick.
  uint32_t wake = deadline_tick;
  uint32_t due = 0;
  if (window_ && window_->TimerDue(&due) && static_cast<int32_t>(due - wake) < 0) wake = due;
  if (static_cast<int32_t>(wake - now) > 0) now = wake;
}

void HeadlessServices::EndProcess(int status) {
  throw HeadlessProcessEnded{status};
}

double HeadlessServices::Random() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

void HeadlessServices::Randomize() {
  engine_.seed(seed_ + ++reseeds_);
}

void HeadlessServices::MessageBox(const std::string& text, const std::string&,
                                  platform::MessageIcon) {
  messages.push_back(text);
}

void HeadlessServices::PlaySound(const std::string& path, uint32_t flags) {
  sounds.push_back(path + " " + std::to_string(flags));
}

// ------------------------------------------------------------------ HeadlessScene

namespace {
struct StopRun {};

std::string UniqueSettingsPath() {
  std::random_device entropy;
  const auto tag = (static_cast<uint64_t>(entropy()) << 32) ^ entropy();
  return (std::filesystem::temp_directory_path() / ("mt-headless-" + std::to_string(tag) + ".ini"))
      .string();
}
}  // namespace

HeadlessScene::HeadlessScene(HeadlessOptions options)
    : options_(std::move(options)),
      services_(options_.seed, options_.start_tick, options_.sound_devices),
      settings_file_(UniqueSettingsPath()) {
  platform::InstallServices(&services_);
  std::ofstream ini(settings_file_, std::ios::binary | std::ios::trunc);
  ini << "[speed]\nspeed=" << options_.speed << "\n[soundPlay]\nsoundPlay=" << options_.sound_play
      << "\n[weapon]\nweapon=" << options_.weapon << "\n";
}

HeadlessScene::~HeadlessScene() {
  form_.reset();
  mScreenSaver::ResetModuleState();
  platform::InstallServices(nullptr);
  std::error_code ec;
  std::filesystem::remove(settings_file_, ec);
}

SceneOptions HeadlessScene::MakeSceneOptions(bool set_up_only) {
  SceneOptions o;
  o.make_window = [this](const std::string&) -> std::unique_ptr<SceneWindow> {
    auto window = std::make_unique<HeadlessWindow>(options_.width, options_.height);
    window_ = window.get();
    services_.SetWindow(window_);
    return window;
  };
  o.settings_file = settings_file_;
  o.asset_folder = options_.asset_folder;
  o.set_up_only = set_up_only;
  o.after_restore = [this](int64_t frame) {
    for (const auto& click : options_.clicks) {
      if (click.frame == frame) window_->QueueClick(click.x, click.y, click.button);
    }
    if (options_.after_restore) options_.after_restore(*form_, frame);
  };
  o.after_frame = [this](int64_t done) {
    if (options_.after_frame) options_.after_frame(*form_, done);
    if (!stepping_ && done >= options_.frames) throw StopRun{};
  };
  return o;
}

void HeadlessScene::Start(bool set_up_only) {
  mScreenSaver::ResetModuleState();
  form_ = std::make_unique<frmSaver>(MakeSceneOptions(set_up_only));
  auto& state = mScreenSaver::State();
  state.forms.frmSaver = form_.get();
  state.m_bSoundDevice = mScreenSaver::SoundDevicePresent();
}

HeadlessResult HeadlessScene::Run() {
  Start(false);
  HeadlessResult result;
  try {
    form_->Load();
  } catch (const StopRun&) {
  } catch (const HeadlessProcessEnded& e) {
    result.ended = true;
    result.exit_status = e.status;
  }
  result.frames = form_->m_lFramesDone;
  return result;
}

void HeadlessScene::LoadOnly() {
  stepping_ = true;
  Start(true);
  form_->Load();
}

void HeadlessScene::Prepare() {
  form_->PrepareAnimation();
}

void HeadlessScene::Frame() {
  form_->AnimateFrame();
}

}  // namespace mt::scene
