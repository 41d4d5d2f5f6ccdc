// A tiny X client for the window tests.
//   x_test_window show OUT.ppm [WIDTH HEIGHT]
//       maps a window filled with magenta at (40, 40), prints its id in decimal, waits for a
//       line (or the end) on standard input, then writes what the window shows to OUT.ppm
//       (its top-left 320 x 240 pixels at most, so that huge windows can be tested).
//   x_test_window close ID
//       asks window ID to close the way a window manager does (WM_DELETE_WINDOW).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int Show(Display* display, const char* out_path, int width, int height) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = 0xFF00FF;  // magenta in Xvfb's 24-bit TrueColor
  attributes.override_redirect = True;     // stays where it is put, with or without a WM
  attributes.event_mask = ExposureMask | StructureNotifyMask;
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 40, 40, static_cast<unsigned>(width),
                    static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWBackPixel | CWOverrideRedirect | CWEventMask, &attributes);
  XMapRaised(display, window);
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type == Expose) break;
  }
  XSync(display, False);
  std::printf("%lu\n", window);
  std::fflush(stdout);

  std::string line;
  std::getline(std::cin, line);

  width = std::min(width, 320);
  height = std::min(height, 240);
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image == nullptr) return 1;
  FILE* out = std::fopen(out_path, "wb");
  if (out == nullptr) return 1;
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      // Xvfb's 24-bit TrueColor: 8 bits per channel at the masks' places.
      const unsigned char rgb[3] = {static_cast<unsigned char>((p & image->red_mask) >> 16),
                                    static_cast<unsigned char>((p & image->green_mask) >> 8),
                                    static_cast<unsigned char>(p & image->blue_mask)};
      std::fwrite(rgb, 1, 3, out);
    }
  }
  std::fclose(out);
  XDestroyImage(image);
  return 0;
}

int Close(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_test_window: no display\n");
    return 2;
  }
  int status = 2;
  if (argc >= 3 && std::strcmp(argv[1], "show") == 0) {
    const int width = argc >= 5 ? std::atoi(argv[3]) : 200;
    const int height = argc >= 5 ? std::atoi(argv[4]) : 150;
    status = Show(display, argv[2], width, height);
  } else if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    status = Close(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else {
    std::fprintf(stderr, "usage: x_test_window show OUT.ppm [W H] | close ID\n");
  }
  XCloseDisplay(display);
  return status;
}
