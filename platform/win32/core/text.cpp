// Conversions between the ANSI code page, UTF-16 and UTF-8.
#include "win32_api.h"

namespace platform::win32 {
namespace {
std::wstring ToWide(const std::string& text, UINT code_page) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  }
  return wide;
}
}  // namespace

std::wstring AnsiToWide(const std::string& ansi) {
  return ToWide(ansi, CP_ACP);
}

std::wstring Utf8ToWide(const std::string& utf8) {
  return ToWide(utf8, CP_UTF8);
}

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                        nullptr, nullptr);
  }
  return utf8;
}

}  // namespace platform::win32
