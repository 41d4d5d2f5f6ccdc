#pragma once
// The one way the Win32 layer includes <windows.h>. Our platform headers name several
// things the way Win32 does (SRCCOPY, SND_ASYNC, HKEY_CURRENT_USER, GetObject...), and the
// Win32 headers make those names macros; so ours are read first, and the macros that would
// rename our own functions are undone afterwards. Use the Win32 macro values (SRCCOPY) in
// this layer, never the qualified names of ours (platform::gdi::SRCCOPY).
#include "internal/registry.h"
#include "internal/shell.h"
#include "internal/sound.h"
#include "platform/foreign_window.h"
#include "platform/gdi.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "platform/system.h"
#include "platform/window.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <wininet.h>
// clang-format on

#undef GetObject
#undef MessageBox
#undef PlaySound
#undef GetPrivateProfileString
#undef WritePrivateProfileString

namespace platform::win32 {

// Window and GDI handles carry 32 significant bits on 64-bit Windows too, so our 32-bit
// handle type holds them; widening sign-extends, as Windows itself does.
template <class H = HANDLE>
inline H FromHandle32(uint32_t handle) {
  return reinterpret_cast<H>(static_cast<intptr_t>(static_cast<int32_t>(handle)));
}
template <class H>
inline uint32_t ToHandle32(H handle) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle));
}

// Paths and texts of this layer are in the ANSI code page, as the ...A calls take them;
// the wide calls get them converted, and UTF-8 is made from UTF-16.
std::wstring AnsiToWide(const std::string& ansi);
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

}  // namespace platform::win32
