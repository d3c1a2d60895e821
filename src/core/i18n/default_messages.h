#pragma once

#include <span>
#include <string_view>

#include "core/i18n/languages.h"

namespace quenmark {

struct DefaultMessage {
  std::string_view key;
  std::string_view text;
};

// The built-in English texts, in slot order: what the program shows without a
// localization file, or where the file lacks a key.
std::span<const DefaultMessage> defaultMessages();

// Fills the catalogue's message table with the built-in texts, from slot 0 of a fresh
// catalogue in table order (the windows' eighteen first, then the command line's).
// Placeholders stay as written; only translations replace them.
void SetDefaultMessages(clsLanguages& catalogue);

}  // namespace quenmark
