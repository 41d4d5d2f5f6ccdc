// A stand-in for the host of a screen saver's preview: a 200 x 150 magenta window at
// (100, 100), whose handle it prints in decimal, as the host passes it on "/p". It stays
// until it is ended.
#include <windows.h>

#include <cstdint>
#include <cstdio>

int main() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
  wc.lpszClassName = "PreviewHost";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "PreviewHost", "preview host", WS_POPUP | WS_VISIBLE, 100, 100,
                                200, 150, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return 1;
  UpdateWindow(window);
  std::printf("%d\n", static_cast<int>(static_cast<int32_t>(reinterpret_cast<intptr_t>(window))));
  std::fflush(stdout);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
