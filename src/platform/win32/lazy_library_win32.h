#pragma once

#include <windows.h>

namespace quenmark::win32 {

// A system library loaded on the first call of one of its functions, from the system folder,
// and let go with this object. Every library a program imports is loaded and initialised
// before WinMain runs, which under Wine is most of a start's cost: what the first window does
// not need comes through here instead (mingw-w64's linker has no delay-load).
class LazyLibrary {
 public:
  explicit LazyLibrary(const wchar_t* file) : file_(file) {}
  ~LazyLibrary();
  LazyLibrary(const LazyLibrary&) = delete;
  LazyLibrary& operator=(const LazyLibrary&) = delete;

  // Loads it now, if it is not yet: false when it cannot be, with the last error saying why
  // (LoadLibraryW's: ERROR_MOD_NOT_FOUND for a missing file). A failed load is not tried again.
  bool load();
  // The function's address; null when the library cannot be loaded or has no such function
  // (ERROR_PROC_NOT_FOUND).
  FARPROC find(const char* function);

 private:
  const wchar_t* file_;
  HMODULE module_ = nullptr;
  DWORD loadError_ = ERROR_SUCCESS;
};

// How a call that cannot reach its function fails: as the function itself reports a failure,
// from the error code that says why (also left in the last error).
template <class R>
R failsEmpty(DWORD) {
  return R();  // FALSE or null, with the reason in GetLastError: most functions' way
}
inline HRESULT failsHresult(DWORD error) { return HRESULT_FROM_WIN32(error); }
inline DWORD failsErrorCode(DWORD error) { return error; }

// One function of a LazyLibrary, looked up on its first call and called like the function
// itself; Fn is its pointer type, decltype(&::Function).
template <class Fn>
class LazyFunction;

template <class R, class... Args>
class LazyFunction<R(WINAPI*)(Args...)> {
 public:
  using Fn = R(WINAPI*)(Args...);
  using Failure = R (*)(DWORD error);

  LazyFunction(LazyLibrary& library, const char* name, Failure failure = &failsEmpty<R>)
      : library_(library), name_(name), failure_(failure) {}

  R operator()(Args... args) const {
    if (!looked_) {
      // Through void (*)(): the one function-pointer cast GCC accepts between unrelated types.
      fn_ = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(library_.find(name_)));
      error_ = fn_ ? ERROR_SUCCESS : GetLastError();
      looked_ = true;
    }
    if (!fn_) {
      SetLastError(error_);
      return failure_(error_);
    }
    return fn_(args...);
  }

 private:
  LazyLibrary& library_;
  const char* name_;
  Failure failure_;
  // What the first call found, kept for the calls after it.
  mutable Fn fn_ = nullptr;
  mutable DWORD error_ = ERROR_SUCCESS;
  mutable bool looked_ = false;
};

}  // namespace quenmark::win32

// A member of a library's table, named and typed after the system's own function, in a
// struct whose LazyLibrary is named `library`; the optional argument is its Failure.
#define QUENMARK_LAZY_FUNCTION(name, ...)                   \
  ::quenmark::win32::LazyFunction<decltype(&::name)> name { \
    library, #name __VA_OPT__(, ) __VA_ARGS__               \
  }
