#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/result.h"
#include "platform/text_codec.h"
#include "base/identity.h"

namespace quenmark {

// Error numbers of GetMachineSetting.
inline constexpr std::int64_t kErrAppNameEmpty = 0x800403E8;
inline constexpr std::int64_t kErrSectionEmpty = 0x800403E9;
inline constexpr std::int64_t kErrKeyEmpty = 0x800403EA;
inline constexpr std::int64_t kErrRegistryBase = 0x800407D0;  // + Windows error or value type

inline constexpr char kSettingsSection[] = "Settings";

// "SOFTWARE\company\app\section" with each part trimmed of spaces: the machine section.
std::string machineSettingsPath(const std::string& company, const std::string& appName,
                                const std::string& section);
// "Software\company\app\section": the user area under HKEY_CURRENT_USER.
std::string userSettingsPath(const std::string& company, const std::string& appName,
                             const std::string& section);

// Reads a REG_SZ value of an open key: "" for empty data, otherwise the text without its
// terminating zero; nothing when the value is missing, of another type or unreadable.
// `type` receives the value's type when it could be learnt.
std::optional<std::string> readStringValue(Registry& registry, RegKey key, const std::string& name,
                                           std::uint32_t* type = nullptr);

// Every setting of the program: strings in the machine section under HKEY_LOCAL_MACHINE and
// in the user area under HKEY_CURRENT_USER. Holds no state; each call opens and closes the
// key it needs. Company and product names come from the identity, read at the time of the
// call, since the identity is filled after the store is made.
class SettingsStore {
 public:
  // `startedInTray` answers whether the main window started hidden in the notification
  // area; it is asked each time a save fails, since the main window sets it after loading.
  SettingsStore(Registry& registry, Dialogs& dialogs, const ProductIdentity& identity,
                std::function<bool()> startedInTray);

  // The value, or `defaultValue` when the section or the value does not exist. Fails on an
  // empty name, a section that cannot be opened or a value that is not a string; the error
  // carries the number and text of the failure.
  Result<std::string> GetMachineSetting(const std::string& appName, const std::string& section,
                                        const std::string& key,
                                        const std::string& defaultValue) const;
  // Stores the value, creating the section when needed. A failure offers the permission
  // warning (Abort, Retry, Ignore) and raises nothing; the result says whether it was stored.
  bool SaveMachineSetting(const std::string& appName, const std::string& section,
                          const std::string& key, const std::string& value);
  // After some other failed write to the machine's part of the registry: the permission
  // warning, unless the user silenced it or the program started in the tray. True when the
  // user asked to retry.
  bool permissionWarning();

  std::string GetUserSetting(const std::string& appName, const std::string& section,
                             const std::string& key, const std::string& defaultValue) const;
  void SaveUserSetting(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& value);

  // The registry it reads, where the administrator's policies are read too.
  Registry& registry() const { return registry_; }

 private:
  Registry& registry_;
  Dialogs& dialogs_;
  const ProductIdentity& identity_;
  std::function<bool()> startedInTray_;
};

// The text of the permission warning for a product.
std::string permissionWarningText(const std::string& productName);
inline constexpr char kPermissionWarningTitle[] = "Permission Denied";

// The reversible scrambling of stored passwords: each character whose ANSI code c is below
// 128 becomes the character of code c + 128, above 128 that of c - 128. Code 128 and
// characters without a one-byte ANSI code (or whose partner has none) stay as they are, so
// applying it twice gives the text back (but for a zero character, which becomes code 128
// and stays so). Replaces `text` with the result and returns it.
std::string ScrambleText(std::string& text, const TextCodec& codec);

}  // namespace quenmark
