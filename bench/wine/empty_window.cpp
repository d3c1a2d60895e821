// The floor Wine itself sets: an empty top-level window, built and linked as Quenmark.exe is
// (same toolchain, static, same resources), measured side by side with it.
#include <windows.h>

// Built again with one more library imported, to tell what importing it costs a start.
#ifdef QUENMARK_IMPORT_FUNCTION
#include QUENMARK_IMPORT_HEADER
#endif

namespace {

LRESULT CALLBACK emptyProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ENDSESSION:
      if (wp) DestroyWindow(w);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(w, msg, wp, lp);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef QUENMARK_IMPORT_FUNCTION
  // Referenced, so that the library is in the import table, and never called.
  const void* volatile imported = reinterpret_cast<const void*>(&QUENMARK_IMPORT_FUNCTION);
  (void)imported;
#endif
  WNDCLASSW wc{};
  wc.lpfnWndProc = emptyProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"QuenmarkBenchEmpty";
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"Empty window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  ShowWindow(w, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
