#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quenmark {

// Where a setting is kept: the machine section, the user area, or the start-with-Windows
// choice's own section (under the Run entry's name).
enum class SettingArea { Machine, User, RunChoice };

// Every setting of the program, once: its name (the key it is read under), where it lives,
// the default a read passes, and the spelling it is stored under where that differs.
// Everything else here is made from this table.
#define QUENMARK_SETTINGS(X)                                                   \
  X(chkRunAtStart, RunChoice, "0", "chkRunAtStart")                            \
  X(chkMin, Machine, "0", "chkMin")                                            \
  X(chkSplash, Machine, "0", "chkSplash")                                      \
  X(chkNoShow, Machine, "0", "chkNoShow")                                      \
  X(chkAlwaysExit, Machine, "0", "chkAlwaysExit")                              \
  X(chkWake, Machine, "0", "chkWake")                                          \
  X(chkWarn, Machine, "0", "chkWarn")                                          \
  X(chkLog, Machine, "0", "chkLog")                                            \
  X(txtLanFolder, Machine, "", "txtLanFolder")                                 \
  X(txtFTPHost, Machine, "", "txtFTPHost")                                     \
  X(txtFTPPort, Machine, "21", "txtFTPPort")                                   \
  X(txtFTPUsername, Machine, "", "txtFTPUsername")                             \
  X(txtFTPPassword, Machine, "", "txtFTPPassword")                             \
  X(txtFTPFolder, Machine, "/", "txtFTPfolder")                                \
  X(txtEmailFrom, Machine, "someone@example.com", "txtEmailFrom")              \
  X(txtServer, Machine, "mail.example.com", "txtServer")                       \
  X(txtPort, Machine, "25", "txtport")                                         \
  X(txtEmailTo, Machine, "someone@example.com", "txtEmailTo")                  \
  X(txtUsername, Machine, "", "txtUsername")                                   \
  X(txtPassword2, Machine, "", "txtPassword2")                                 \
  X(chkAuth, Machine, "0", "chkAuth")                                          \
  /* The language download's host; empty: the product's website. */           \
  X(LanguageHost, Machine, "", "LanguageHost")                                 \
  X(Language, User, "English", "Language")                                     \
  X(showHelp, User, "1", "showHelp")                                           \
  X(IgnorePermissionDeniedError, User, "0", "IgnorePermissionDeniedError")

enum class Setting : std::size_t {
#define QUENMARK_SETTING_ID(name, area, initial, saveKey) name,
  QUENMARK_SETTINGS(QUENMARK_SETTING_ID)
#undef QUENMARK_SETTING_ID
};

struct SettingDef {
  Setting id;
  std::string_view key;      // read under this name
  SettingArea area;
  std::string_view initial;  // what a read gives while nothing is stored
  std::string_view saveKey;  // stored under this spelling (the registry ignores the case)
};

inline constexpr std::array kSettings = {
#define QUENMARK_SETTING_DEF(name, area, initial, saveKey) \
  SettingDef{Setting::name, #name, SettingArea::area, initial, saveKey},
    QUENMARK_SETTINGS(QUENMARK_SETTING_DEF)
#undef QUENMARK_SETTING_DEF
};

constexpr const SettingDef& settingDef(Setting s) { return kSettings[static_cast<std::size_t>(s)]; }

// Every setting's text, one field each, as stored (check boxes "0", "1" or "2").
struct OptionValues {
#define QUENMARK_SETTING_FIELD(name, area, initial, saveKey) std::string name{initial};
  QUENMARK_SETTINGS(QUENMARK_SETTING_FIELD)
#undef QUENMARK_SETTING_FIELD
  std::string& operator[](Setting s);
  const std::string& operator[](Setting s) const;
};

}  // namespace quenmark
