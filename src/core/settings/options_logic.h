#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/settings/setting_keys.h"
#include "platform/text_codec.h"

namespace quenmark::options {

enum class FieldKind { CheckBox, Text, Password };

// A box or field of the options window and the setting it mirrors; the control is named
// after its setting, and the setting's default is the control's design content.
struct Field {
  Setting setting;
  FieldKind kind;
  std::string_view control() const { return settingDef(setting).key; }
  std::string_view initial() const { return settingDef(setting).initial; }
};

// Every stored box and field, in the window's order.
inline constexpr std::array<Field, 21> kFields{{
    {Setting::chkRunAtStart, FieldKind::CheckBox},  {Setting::chkMin, FieldKind::CheckBox},
    {Setting::chkSplash, FieldKind::CheckBox},      {Setting::chkNoShow, FieldKind::CheckBox},
    {Setting::chkAlwaysExit, FieldKind::CheckBox},  {Setting::chkWake, FieldKind::CheckBox},
    {Setting::chkWarn, FieldKind::CheckBox},        {Setting::chkLog, FieldKind::CheckBox},
    {Setting::txtLanFolder, FieldKind::Text},       {Setting::txtFTPHost, FieldKind::Text},
    {Setting::txtFTPPort, FieldKind::Text},         {Setting::txtFTPUsername, FieldKind::Text},
    {Setting::txtFTPPassword, FieldKind::Password}, {Setting::txtFTPFolder, FieldKind::Text},
    {Setting::txtEmailFrom, FieldKind::Text},       {Setting::txtServer, FieldKind::Text},
    {Setting::txtPort, FieldKind::Text},            {Setting::txtEmailTo, FieldKind::Text},
    {Setting::txtUsername, FieldKind::Text},        {Setting::txtPassword2, FieldKind::Password},
    {Setting::chkAuth, FieldKind::CheckBox},
}};

// The controls the load fills, in its order; the e-mail password is read twice.
inline constexpr std::array<Setting, 22> kLoadOrder{
    Setting::txtEmailFrom,  Setting::txtEmailTo,     Setting::txtPassword2,
    Setting::txtPort,       Setting::txtServer,      Setting::txtUsername,
    Setting::txtPassword2,  Setting::chkAuth,        Setting::chkNoShow,
    Setting::chkAlwaysExit, Setting::chkMin,         Setting::chkSplash,
    Setting::txtFTPFolder,  Setting::txtFTPHost,     Setting::txtFTPPassword,
    Setting::txtFTPPort,    Setting::txtFTPUsername, Setting::txtLanFolder,
    Setting::chkRunAtStart, Setting::chkLog,         Setting::chkWake,
    Setting::chkWarn};

// The field of a setting; std::out_of_range for a setting no control shows.
const Field& field(Setting setting);

// The state a check box shows for its stored text, taken as a whole number: 0 clear,
// 1 selected, 2 greyed. Any other text leaves the box clear, as it starts.
int checkValue(std::string_view stored);

// A text field's content for its stored text, and the text a change stores for its content:
// passwords are scrambled in the registry, the other fields kept as typed.
std::string shownText(const Field& field, std::string stored, const TextCodec& codec);
std::string storedText(const Field& field, std::string content, const TextCodec& codec);

}  // namespace quenmark::options
