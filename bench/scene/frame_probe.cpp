// A preloaded probe for the real-run benchmark: it watches the saver's presents and waits
// through SDL's own entry points and writes what it saw when the process ends, so the
// program itself carries no measuring code.
//
// A frame is a burst of presents after a wait: however many presents a frame makes, the
// frame loop waits once between frames. The first frame is the last present before the
// first wait that covers the whole window through SDL_UpdateWindowSurfaceRects: the window
// is shown once before the scene is drawn on it (black, or the bare background).
//
// MT_PROBE_OUT names the report file: "key value" lines, then one "frame <ns>" line per
// frame (CLOCK_REALTIME, so a script can compare it with its own clock and strace's).
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
struct SDL_Window;
struct SDL_Rect {
  int x, y, w, h;
};
}

namespace {

constexpr int kMaxFrames = 1 << 17;
int64_t g_frames[kMaxFrames];
int64_t g_frame_count = 0;
int64_t g_presents = 0;
int64_t g_rects = 0;
int64_t g_pixels = 0;  // pixels of all present rectangles
int64_t g_first_frame_ns = 0;
bool g_waited = false;
bool g_any_wait = false;

int64_t NowNs() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  return int64_t{ts.tv_sec} * 1000000000 + ts.tv_nsec;
}

template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void NotePresent(bool whole_window) {
  ++g_presents;
  if (!g_any_wait) {
    if (!whole_window) return;
    g_first_frame_ns = NowNs();
    g_frames[0] = g_first_frame_ns;
    g_frame_count = 1;
    g_waited = false;
    return;
  }
  if (g_waited && g_frame_count < kMaxFrames) g_frames[g_frame_count++] = NowNs();
  g_waited = false;
}

void Report() {
  const char* path = std::getenv("MT_PROBE_OUT");
  if (!path || !*path) return;
  FILE* out = std::fopen(path, "w");
  if (!out) return;
  std::fprintf(out, "first_frame_ns %lld\npresents %lld\nrects %lld\npixels %lld\nframes %lld\n",
               static_cast<long long>(g_first_frame_ns), static_cast<long long>(g_presents),
               static_cast<long long>(g_rects), static_cast<long long>(g_pixels),
               static_cast<long long>(g_frame_count));
  for (int64_t i = 0; i < g_frame_count; ++i)
    std::fprintf(out, "frame %lld\n", static_cast<long long>(g_frames[i]));
  std::fclose(out);
}

}  // namespace

extern "C" {

int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
  using Fn = int (*)(SDL_Window*, const SDL_Rect*, int);
  using SizeFn = void (*)(SDL_Window*, int*, int*);
  static Fn real = Next<Fn>("SDL_UpdateWindowSurfaceRects");
  static SizeFn size = Next<SizeFn>("SDL_GetWindowSize");
  int w = 0, h = 0;
  size(window, &w, &h);
  bool whole = false;
  for (int i = 0; i < count; ++i) {
    const SDL_Rect& r = rects[i];
    whole |= r.x <= 0 && r.y <= 0 && r.x + r.w >= w && r.y + r.h >= h;
    g_pixels += int64_t{r.w} * r.h;
  }
  g_rects += count;
  NotePresent(whole);
  return real(window, rects, count);
}

int SDL_UpdateWindowSurface(SDL_Window* window) {
  using Fn = int (*)(SDL_Window*);
  static Fn real = Next<Fn>("SDL_UpdateWindowSurface");
  ++g_presents;
  return real(window);
}

int SDL_WaitEventTimeout(void* event, int timeout) {
  using Fn = int (*)(void*, int);
  static Fn real = Next<Fn>("SDL_WaitEventTimeout");
  g_waited = true;
  g_any_wait = true;
  return real(event, timeout);
}

// The saver ends through _exit; report first.
[[noreturn]] void _exit(int status) {
  Report();
  using Fn = void (*)(int);
  static Fn real = Next<Fn>("_exit");
  real(status);
  __builtin_unreachable();
}

}  // extern "C"
