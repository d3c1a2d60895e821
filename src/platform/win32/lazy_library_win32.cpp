#include "platform/win32/lazy_library_win32.h"

#include <string>

namespace quenmark::win32 {
namespace {

// By its full path in the system folder, as Windows finds an imported system library: never
// a file of the same name in the program's folder or the current one.
HMODULE loadSystemLibrary(const wchar_t* file) {
  std::wstring path(MAX_PATH, L'\0');
  const UINT n = GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size()));
  if (n == 0 || n >= path.size()) return nullptr;
  path.resize(n);
  path += L'\\';
  path += file;
  return LoadLibraryW(path.c_str());
}

}  // namespace

LazyLibrary::~LazyLibrary() {
  if (module_) FreeLibrary(module_);
}

bool LazyLibrary::load() {
  if (!module_ && loadError_ == ERROR_SUCCESS) {
    module_ = loadSystemLibrary(file_);
    if (!module_) {
      const DWORD e = GetLastError();
      loadError_ = e != ERROR_SUCCESS ? e : ERROR_MOD_NOT_FOUND;
    }
  }
  if (!module_) SetLastError(loadError_);
  return module_ != nullptr;
}

FARPROC LazyLibrary::find(const char* function) {
  if (!load()) return nullptr;
  const FARPROC address = GetProcAddress(module_, function);
  // A failure must never read as ERROR_SUCCESS: as an HRESULT that would be S_OK.
  if (!address && GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_PROC_NOT_FOUND);
  return address;
}

}  // namespace quenmark::win32
