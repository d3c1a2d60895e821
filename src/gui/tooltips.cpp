#include "gui/tooltips.h"

#include <commctrl.h>

#include "platform/win32/text_win32.h"

namespace quenmark::gui {

void ToolTips::attach(HWND window) {
  window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
}

void ToolTips::set(const Control& control, const std::string& text) {
  if (!ready() || !control.created()) return;
  std::wstring wide = win32::widen(text);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;  // the tip follows the control wherever it moves
  tool.hwnd = GetParent(control.hwnd());
  tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
  tool.lpszText = wide.data();
  SendMessageW(window_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quenmark::gui
