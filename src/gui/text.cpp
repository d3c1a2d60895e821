#include "gui/text.h"

#include <algorithm>
#include <cwchar>

#include "base/text.h"

namespace quenmark::gui {

bool sameName(std::string_view a, std::string_view b) { return equalsNoCase(a, b); }

std::wstring windowText(HWND window) {
  int n = GetWindowTextLengthW(window);
  if (n <= 0) return {};
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  int got = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

void copyToBuffer(const std::wstring& text, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  std::size_t n = std::min(text.size(), static_cast<std::size_t>(capacity - 1));
  std::wmemcpy(buffer, text.data(), n);
  buffer[n] = L'\0';
}

}  // namespace quenmark::gui
