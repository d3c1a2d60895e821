#pragma once

#include <array>
#include <string_view>

namespace quenmark {

// What translation does with a control's texts.
enum class TranslatedText {
  Caption,  // its caption
  Tabs,     // each tab's caption
  Columns,  // each column header
  Indexed,  // its caption, keyed by its array index (none outside an array)
  None,     // nothing
};

// Every kind of control a window is made of: the type name by which translation and skinning
// tell them apart, and what translation does with it. The form layer makes its kinds and
// their classes from this list.
#define QUENMARK_CONTROL_KINDS(X) \
  X(Label, Caption)               \
  X(CommandButton, Caption)       \
  X(CheckBox, Caption)            \
  X(OptionButton, Indexed)        \
  X(Frame, Caption)               \
  X(TextBox, None)                \
  X(ComboBox, None)               \
  X(ListView, Columns)            \
  X(TreeView, None)               \
  X(SkinLabel, Caption)           \
  X(TabStrip, Tabs)               \
  X(PictureBox, None)             \
  X(ListBox, None)                \
  X(DTPicker, None)               \
  X(StatusBar, None)              \
  X(Line, None)                   \
  X(WebBrowser, None)

enum class ControlKind {
#define QUENMARK_CONTROL_KIND_ID(name, text) name,
  QUENMARK_CONTROL_KINDS(QUENMARK_CONTROL_KIND_ID)
#undef QUENMARK_CONTROL_KIND_ID
};

struct ControlKindInfo {
  ControlKind kind;
  std::string_view typeName;
  TranslatedText text;
};

inline constexpr std::array kControlKinds = {
#define QUENMARK_CONTROL_KIND_INFO(name, text) \
  ControlKindInfo{ControlKind::name, #name, TranslatedText::text},
    QUENMARK_CONTROL_KINDS(QUENMARK_CONTROL_KIND_INFO)
#undef QUENMARK_CONTROL_KIND_INFO
};

// Menu entries are translated too, keyed by their index like option buttons.
inline constexpr std::string_view kMenuTypeName = "Menu";

constexpr std::string_view typeNameOf(ControlKind kind) {
  return kControlKinds[static_cast<std::size_t>(kind)].typeName;
}

// What translation does with a control of that type name; None for a name not listed.
constexpr TranslatedText translatedTextOf(std::string_view typeName) {
  if (typeName == kMenuTypeName) return TranslatedText::Indexed;
  for (const ControlKindInfo& k : kControlKinds) {
    if (k.typeName == typeName) return k.text;
  }
  return TranslatedText::None;
}

}  // namespace quenmark
