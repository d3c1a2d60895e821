#include "support/temp_folder_win32.h"

#include <windows.h>

#include <stdexcept>

#include "platform/win32/text_win32.h"

namespace quenmark::testing {

using win32::narrow;
using win32::widen;

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, base);
  if (n == 0 || n > MAX_PATH) throw std::runtime_error("GetTempPathW failed");
  std::wstring root(base, n);
  while (!root.empty() && root.back() == L'\\') root.pop_back();
  // Process id plus a tick count and a try number keeps parallel runs apart.
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    std::wstring candidate = root + L"\\quenmark-test-" + std::to_wstring(GetCurrentProcessId()) +
                             L"-" + std::to_wstring(GetTickCount()) + L"-" +
                             std::to_wstring(attempt);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = narrow(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() { removeTree(path_); }

bool writeTestFile(const std::string& path, std::string_view bytes, std::uint32_t attributes) {
  HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(h);
  if (!ok || wrote != bytes.size()) return false;
  return attributes == 0 || SetFileAttributesW(widen(path).c_str(), attributes);
}

std::string readTestFile(const std::string& path) {
  HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  CloseHandle(h);
  return bytes;
}

void removeTree(const std::string& path) {
  const std::wstring w = widen(path);
  const DWORD a = GetFileAttributesW(w.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesW(w.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileW(w.c_str());
    return;
  }
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((w + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring_view name = fd.cFileName;
      if (name != L"." && name != L"..") removeTree(narrow(w + L"\\" + fd.cFileName));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(w.c_str());
}

}  // namespace quenmark::testing
