#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

#include "platform/win32/lazy_library_win32.h"

namespace quenmark::win32 {

// What the program calls of ole32 and oleaut32, loaded on first use: only the browser
// control and the folder dialog need OLE.
struct Ole32Api {
  LazyLibrary library{L"ole32.dll"};
  QUENMARK_LAZY_FUNCTION(OleInitialize, &failsHresult);
  QUENMARK_LAZY_FUNCTION(OleUninitialize);
  QUENMARK_LAZY_FUNCTION(CoCreateInstance, &failsHresult);
  QUENMARK_LAZY_FUNCTION(CoTaskMemFree);
};

struct OleAut32Api {
  LazyLibrary library{L"oleaut32.dll"};
  QUENMARK_LAZY_FUNCTION(SysAllocString);
  QUENMARK_LAZY_FUNCTION(SysAllocStringLen);
  QUENMARK_LAZY_FUNCTION(SysFreeString);
  QUENMARK_LAZY_FUNCTION(SysStringLen);
};

// What a screen reader's question needs: oleacc's standard objects and a string to answer
// with; loaded only when assistive technology asks.
struct AccessibilityApi {
  struct OleAcc {
    LazyLibrary library{L"oleacc.dll"};
    QUENMARK_LAZY_FUNCTION(CreateStdAccessibleObject, &failsHresult);
    QUENMARK_LAZY_FUNCTION(LresultFromObject);
  } oleacc;
  OleAut32Api oleaut;
};

// OLE on the calling thread for as long as it lives.
class OleSession {
 public:
  OleSession() : result_(ole32_.OleInitialize(nullptr)) {}
  ~OleSession() {
    if (SUCCEEDED(result_)) ole32_.OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  // OleInitialize's: S_FALSE when OLE was started on this thread already.
  HRESULT result() const { return result_; }

 private:
  Ole32Api ole32_;
  HRESULT result_;
};

}  // namespace quenmark::win32
