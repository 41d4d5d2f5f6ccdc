// Stand-ins for the 9x family's password.cpl and mpr.dll: each call is appended to the file
// MT_PASSWORD_LOG names; VerifyScreenSavePwd accepts when the file MT_PASSWORD_ANSWER names
// begins with "right" (a file, so that a running program's answer can change).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
void Record(const char* line) {
  const char* log = std::getenv("MT_PASSWORD_LOG");
  if (!log) return;
  if (FILE* f = std::fopen(log, "ab")) {
    std::fprintf(f, "%s\n", line);
    std::fclose(f);
  }
}
}  // namespace

extern "C" {

#ifdef MT_PASSWORD_CPL
__declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  char line[80];
  std::snprintf(line, sizeof line, "VerifyScreenSavePwd %lx",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
  Record(line);
  const char* answer_file = std::getenv("MT_PASSWORD_ANSWER");
  char answer[6] = {};
  if (FILE* f = answer_file ? std::fopen(answer_file, "rb") : nullptr) {
    std::fread(answer, 1, 5, f);
    std::fclose(f);
  }
  return std::strcmp(answer, "right") == 0;
}
#else
__declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND window, DWORD a, LPVOID b) {
  char line[120];
  std::snprintf(line, sizeof line, "PwdChangePasswordA %s %lx %lu %p", provider,
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)),
                static_cast<unsigned long>(a), b);
  Record(line);
  return 0;
}
#endif
}
