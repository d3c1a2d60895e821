#include "windows/form8_window.h"

#include "core/presentation/help_launcher.h"

namespace quenmark {
namespace {

constexpr wchar_t kClassName[] = L"QuenmarkForm8";

void registerClass(HINSTANCE instance) {
  WNDCLASSW wc{};
  if (GetClassInfoW(instance, kClassName, &wc)) return;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassW(&wc);
}

}  // namespace

Form8::Form8(const Form8Context& context, HINSTANCE instance) : context_(context) {
  registerClass(instance);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Form8", WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, instance, nullptr);
  if (hwnd_) Form_Load();
}

Form8::~Form8() { Unload(); }

void Form8::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void Form8::Form_Load() {
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd_, SW_HIDE);
  loadHelpLauncher(reinterpret_cast<WindowHandle>(hwnd_), context_.programFolder, context_.fs,
                   context_.shell, context_.options);
}

}  // namespace quenmark
