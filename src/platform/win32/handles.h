#pragma once

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace quenmark::win32 {

// Owns one Win32 handle and closes it once, when it goes or is reset: one small type per
// kind of handle, so that what owns a handle and what only borrows it shows in the type.
template <class Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;

  Unique() = default;
  explicit Unique(Handle h) : h_(h) {}
  Unique(Unique&& other) noexcept : h_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  Handle get() const { return h_; }
  bool valid() const { return h_ != Traits::invalid(); }
  explicit operator bool() const { return valid(); }
  Handle release() { return std::exchange(h_, Traits::invalid()); }
  // Closes the handle held (reporting whether that worked) and holds `h` instead.
  bool reset(Handle h = Traits::invalid()) {
    const bool ok = !valid() || Traits::close(h_);
    h_ = h;
    return ok;
  }

 private:
  Handle h_ = Traits::invalid();
};

namespace handle_traits {
struct Kernel {  // processes, threads, mutexes, events: null when absent
  using Handle = HANDLE;
  static Handle invalid() { return nullptr; }
  static bool close(Handle h) { return CloseHandle(h) != FALSE; }
};
struct File {  // CreateFileW: INVALID_HANDLE_VALUE when absent
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static bool close(Handle h) { return CloseHandle(h) != FALSE; }
};
struct Find {  // FindFirstFileW
  using Handle = HANDLE;
  static Handle invalid() { return INVALID_HANDLE_VALUE; }
  static bool close(Handle h) { return FindClose(h) != FALSE; }
};
template <class T>
struct Gdi {  // fonts, brushes, bitmaps
  using Handle = T;
  static Handle invalid() { return nullptr; }
  static bool close(Handle h) { return DeleteObject(h) != FALSE; }
};
struct Icon {
  using Handle = HICON;
  static Handle invalid() { return nullptr; }
  static bool close(Handle h) { return DestroyIcon(h) != FALSE; }
};
struct Local {  // memory the system allocated with LocalAlloc (FormatMessageW)
  using Handle = HLOCAL;
  static Handle invalid() { return nullptr; }
  static bool close(Handle h) { return LocalFree(h) == nullptr; }
};
struct EventSource {  // RegisterEventSourceW
  using Handle = HANDLE;
  static Handle invalid() { return nullptr; }
  static bool close(Handle h) { return DeregisterEventSource(h) != FALSE; }
};
template <class T>
struct CoTask {  // memory a COM call allocated (item id lists)
  using Handle = T;
  static Handle invalid() { return nullptr; }
  static bool close(Handle h) {
    CoTaskMemFree(h);
    return true;
  }
};
}  // namespace handle_traits

using UniqueHandle = Unique<handle_traits::Kernel>;
using UniqueFile = Unique<handle_traits::File>;
using UniqueFind = Unique<handle_traits::Find>;
using UniqueFont = Unique<handle_traits::Gdi<HFONT>>;
using UniqueBrush = Unique<handle_traits::Gdi<HBRUSH>>;
using UniqueBitmap = Unique<handle_traits::Gdi<HBITMAP>>;
using UniqueIcon = Unique<handle_traits::Icon>;
using UniqueLocal = Unique<handle_traits::Local>;
using UniqueEventSource = Unique<handle_traits::EventSource>;
template <class T>
using UniqueCoTask = Unique<handle_traits::CoTask<T>>;

// A device context from GetDC, given back to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace quenmark::win32
