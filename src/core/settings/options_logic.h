#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace quenmark::options {

enum class FieldKind { CheckBox, Text, Password };

// A box or field of the options window and the setting it mirrors. Keys are matched without
// regard to case, so the two that are stored in another spelling than they are read in
// still name one value.
struct Field {
  std::string_view control;  // the control's name
  std::string_view key;      // read at load
  std::string_view saveKey;  // stored on a change
  FieldKind kind;
  std::string_view initial;  // the design content ("0": clear), also the default the load passes
  bool runEntry = false;     // stored under the RunEntryName rather than the product name
  bool tellsScheduler = false;  // the running scheduler reads it again when it changes
};

// Placeholders of our own for the hidden e-mail group: an address and a host that can never
// be anyone's (example.com is reserved for such use).
inline constexpr std::string_view kPlaceholderAddress = "someone@example.com";
inline constexpr std::string_view kPlaceholderMailServer = "mail.example.com";

// Every stored box and field, in the window's order.
inline constexpr std::array<Field, 21> kFields{{
    {"chkRunAtStart", "chkRunAtStart", "chkRunAtStart", FieldKind::CheckBox, "0", true},
    {"chkMin", "chkMin", "chkMin", FieldKind::CheckBox, "0"},
    {"chkSplash", "chkSplash", "chkSplash", FieldKind::CheckBox, "0"},
    {"chkNoShow", "chkNoShow", "chkNoShow", FieldKind::CheckBox, "0"},
    {"chkAlwaysExit", "chkAlwaysExit", "chkAlwaysExit", FieldKind::CheckBox, "0"},
    {"chkWake", "chkWake", "chkWake", FieldKind::CheckBox, "0", false, true},
    {"chkWarn", "chkWarn", "chkWarn", FieldKind::CheckBox, "0", false, true},
    {"chkLog", "chkLog", "chkLog", FieldKind::CheckBox, "0"},
    {"txtLanFolder", "txtLanFolder", "txtLanFolder", FieldKind::Text, ""},
    {"txtFTPHost", "txtFTPHost", "txtFTPHost", FieldKind::Text, ""},
    {"txtFTPPort", "txtFTPPort", "txtFTPPort", FieldKind::Text, "21"},
    {"txtFTPUsername", "txtFTPUsername", "txtFTPUsername", FieldKind::Text, ""},
    {"txtFTPPassword", "txtFTPPassword", "txtFTPPassword", FieldKind::Password, ""},
    {"txtFTPFolder", "txtFTPFolder", "txtFTPfolder", FieldKind::Text, "/"},
    {"txtEmailFrom", "txtEmailFrom", "txtEmailFrom", FieldKind::Text, kPlaceholderAddress},
    {"txtServer", "txtServer", "txtServer", FieldKind::Text, kPlaceholderMailServer},
    {"txtPort", "txtPort", "txtport", FieldKind::Text, "25"},
    {"txtEmailTo", "txtEmailTo", "txtEmailTo", FieldKind::Text, kPlaceholderAddress},
    {"txtUsername", "txtUsername", "txtUsername", FieldKind::Text, ""},
    {"txtPassword2", "txtPassword2", "txtPassword2", FieldKind::Password, ""},
    {"chkAuth", "chkAuth", "chkAuth", FieldKind::CheckBox, "0"},
}};

// The controls the load fills, in its order; the e-mail password is read twice.
inline constexpr std::array<std::string_view, 22> kLoadOrder{
    "txtEmailFrom", "txtEmailTo",     "txtPassword2", "txtPort",       "txtServer",
    "txtUsername",  "txtPassword2",   "chkAuth",      "chkNoShow",     "chkAlwaysExit",
    "chkMin",       "chkSplash",      "txtFTPFolder", "txtFTPHost",    "txtFTPPassword",
    "txtFTPPort",   "txtFTPUsername", "txtLanFolder", "chkRunAtStart", "chkLog",
    "chkWake",      "chkWarn"};

// The field of a control; std::out_of_range for a control that stores nothing.
const Field& field(std::string_view control);

// The state a check box shows for its stored text, taken as a whole number: 0 clear,
// 1 selected, 2 greyed. Any other text leaves the box clear, as it starts.
int checkValue(std::string_view stored);

// A text field's content for its stored text, and the text a change stores for its content:
// passwords are scrambled in the registry, the other fields kept as typed.
std::string shownText(const Field& field, std::string stored, const TextCodec& codec);
std::string storedText(const Field& field, std::string content, const TextCodec& codec);

}  // namespace quenmark::options
