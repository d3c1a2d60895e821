#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/i18n/languages.h"

namespace quenmark {

// Texts the program works with in English and shows in the user's language: the action
// names, the quick schedule's delays, the list's "Yes" and "No". Files, the engine and the
// command line keep the English text (the code); windows show its display text. Each code
// is a message of the catalogue whose key is made from the code and whose built-in text is
// the code itself, so the template lists it and every language translates it as it does
// any message.

// The message key of a code: "MSG_SHOW_" and the code's letters and digits in upper case,
// every other run of characters one "_" ("in 15 Minutes": MSG_SHOW_IN_15_MINUTES,
// "When...": MSG_SHOW_WHEN).
std::string displayKey(std::string_view code);

// Adds the message of each code that has none yet, its text the code.
void addDisplayTexts(clsLanguages& catalogue, std::span<const std::string_view> codes);

// What a window shows for `code`: its message in the language in effect, or the code itself
// when it has none (a hand-edited action name, say).
std::string displayText(const clsLanguages& catalogue, std::string_view code);

// The code among `codes` whose display text is `shown`; `shown` itself when none is, so a
// code typed in English, or any other typed text, is kept as typed.
std::string codeShownAs(const clsLanguages& catalogue, std::string_view shown,
                        std::span<const std::string_view> codes);

}  // namespace quenmark
