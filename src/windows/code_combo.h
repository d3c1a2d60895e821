#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/i18n/display_text.h"
#include "gui/controls.h"

namespace quenmark {

// A combo box whose items are codes shown in the user's language: it holds them by place, so
// what is chosen reaches the program as its code whatever the language.

// Fills the combo with the display texts of `codes`, in their order, keeping the place chosen
// (the first when none was).
inline void showCodes(gui::ComboBox& box, std::span<const std::string_view> codes,
                      const clsLanguages& languages) {
  const int chosen = box.listIndex();
  box.clear();
  for (std::string_view code : codes) box.addItem(displayText(languages, code));
  if (!codes.empty()) box.setListIndex(chosen >= 0 && chosen < box.listCount() ? chosen : 0);
}

// The code of the item chosen in the combo; its text when none is chosen.
inline std::string chosenCode(const gui::ComboBox& box, std::span<const std::string_view> codes) {
  const int i = box.listIndex();
  if (i < 0 || static_cast<std::size_t>(i) >= codes.size()) return box.text();
  return std::string(codes[static_cast<std::size_t>(i)]);
}

}  // namespace quenmark
