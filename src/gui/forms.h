#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quenmark::win32 {
class OleSession;
struct AccessibilityApi;
}

namespace quenmark::gui {

class Form;

// The DPI calls of Windows 10 and later, looked up at run time: Windows 7 lacks them.
struct DpiApi {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using GetDpiForSystemFn = UINT(WINAPI*)();
  using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  GetDpiForWindowFn getDpiForWindow = nullptr;
  GetDpiForSystemFn getDpiForSystem = nullptr;
  SystemParametersInfoForDpiFn systemParametersInfoForDpi = nullptr;
  AdjustWindowRectExForDpiFn adjustWindowRectExForDpi = nullptr;

  static DpiApi load();
  UINT systemDpi() const;
  UINT windowDpi(HWND window) const;
};

// The loaded windows of the program, in load order, and what they share: the window class,
// the common controls, the DPI calls, OLE and where exceptions caught in handlers are reported.
class Forms {
 public:
  using ErrorHandler = std::function<void(const std::string& message)>;

  Forms();
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  std::size_t count() const { return loaded_.size(); }
  bool empty() const { return loaded_.empty(); }
  Form& item(std::size_t i) const { return *loaded_.at(i); }
  const std::vector<Form*>& list() const { return loaded_; }
  auto begin() const { return loaded_.begin(); }
  auto end() const { return loaded_.end(); }
  // The first loaded window of this name (letter case ignored), or null.
  Form* find(std::string_view name) const;

  // An exception escaping a handler is caught where Windows called in and reported here,
  // "window name: message". Without a handler it goes to the debugger output.
  void setErrorHandler(ErrorHandler handler) { onError_ = std::move(handler); }
  void reportError(const std::string& message) const;

  // When set, unloading the last window ends the message loop (gui::run sets it).
  void setQuitWhenEmpty(bool on) { quitWhenEmpty_ = on; }

  HINSTANCE instance() const { return instance_; }
  const DpiApi& dpi() const { return dpi_; }
  // OLE on this thread, from the first call (the first browser control hosted) until these
  // windows go, so that a start that hosts none never loads it: OleInitialize's result.
  HRESULT startOle();
  // What answering a screen reader takes, loaded on its first question.
  win32::AccessibilityApi& accessibility();
  static const wchar_t* windowClass() { return L"QuenmarkForm"; }

  // Keyboard navigation (Tab, Enter, Escape) for a message bound to one of our windows.
  bool preTranslate(MSG& msg) const;

 private:
  friend class Form;
  void added(Form& form);
  void removed(Form& form);

  HINSTANCE instance_;
  DpiApi dpi_;
  std::unique_ptr<win32::OleSession> ole_;
  std::unique_ptr<win32::AccessibilityApi> accessibility_;
  std::vector<Form*> loaded_;
  ErrorHandler onError_;
  bool quitWhenEmpty_ = false;
};

// Runs the message loop until the last window unloads or WM_QUIT arrives; returns the quit
// code (0 when the windows ran out).
int run(Forms& forms);

// Lets every pending message run, then returns: the program's DoEvents. A WM_QUIT met on
// the way is left for the loop that follows.
void doEvents(const Forms& forms);

// Brings the top-level window with this title to the front, as AppActivate does; false when
// there is none.
bool appActivate(const std::string& title);

}  // namespace quenmark::gui
