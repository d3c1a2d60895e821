#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {
namespace {

// A library or function that is not there fails the call as the function fails, with the
// error that says which, at every call; one that is there is called through.
TEST(LazyLibrary, MissingLibraryOrFunctionFailsTheCallWithItsError) {
  struct Case {
    const wchar_t* file;
    const char* function;
    DWORD error;
  };
  for (const Case& c :
       {Case{L"kernel32.dll", "GetCurrentProcessId", ERROR_SUCCESS},
        Case{L"quenmark-no-such-library.dll", "GetCurrentProcessId", ERROR_MOD_NOT_FOUND},
        Case{L"kernel32.dll", "QuenmarkNoSuchFunction", ERROR_PROC_NOT_FOUND}}) {
    SCOPED_TRACE(c.function);
    LazyLibrary library(c.file);
    const LazyFunction<decltype(&::GetCurrentProcessId)> processId(library, c.function);
    for (int call = 0; call < 2; ++call) {  // the second from what the first found
      SetLastError(ERROR_SUCCESS);
      const DWORD got = processId();
      if (c.error == ERROR_SUCCESS) {
        EXPECT_EQ(got, GetCurrentProcessId());
      } else {
        EXPECT_EQ(got, 0u);
        EXPECT_EQ(GetLastError(), c.error);
      }
    }
    if (c.error != ERROR_SUCCESS) {
      const LazyFunction<HRESULT(WINAPI*)()> withResult(library, c.function, &failsHresult);
      EXPECT_EQ(withResult(), HRESULT_FROM_WIN32(c.error));
    }
  }
}

}  // namespace
}  // namespace quenmark::win32
