#include "core/i18n/display_text.h"

namespace quenmark {

std::string displayKey(std::string_view code) {
  std::string key = "MSG_SHOW_";
  bool gap = false;
  for (char ch : code) {
    const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    if (!letter && !(ch >= '0' && ch <= '9')) {
      gap = true;
      continue;
    }
    if (gap && !key.ends_with('_')) key += '_';
    gap = false;
    key += letter && ch >= 'a' ? static_cast<char>(ch - 'a' + 'A') : ch;
  }
  return key;
}

void addDisplayTexts(clsLanguages& catalogue, std::span<const std::string_view> codes) {
  for (std::string_view code : codes) {
    const std::string key = displayKey(code);
    if (catalogue.getMessages(key).empty()) catalogue.setMessage(key, std::string(code));
  }
}

std::string displayText(const clsLanguages& catalogue, std::string_view code) {
  std::string shown = catalogue.getMessages(displayKey(code));
  return shown.empty() ? std::string(code) : shown;
}

std::string codeShownAs(const clsLanguages& catalogue, std::string_view shown,
                        std::span<const std::string_view> codes) {
  for (std::string_view code : codes) {
    if (displayText(catalogue, code) == shown) return std::string(code);
  }
  return std::string(shown);
}

}  // namespace quenmark
