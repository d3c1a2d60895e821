#include "core/settings/settings_store.h"

#include "core/settings/setting_keys.h"

#include <utility>

#include "base/text.h"
#include "core/settings/scoped_key.h"

namespace quenmark {
namespace {

SysError registryError(std::int64_t offset, const char* text) {
  return SysError{kErrRegistryBase + offset, text};
}

}  // namespace

std::string machineSettingsPath(const std::string& company, const std::string& appName,
                                const std::string& section) {
  return std::string("SOFTWARE\\")
      .append(trimSpaces(company))
      .append("\\")
      .append(trimSpaces(appName))
      .append("\\")
      .append(trimSpaces(section));
}

std::string userSettingsPath(const std::string& company, const std::string& appName,
                             const std::string& section) {
  return "Software\\" + company + "\\" + appName + "\\" + section;
}

std::optional<std::string> readStringValue(Registry& registry, RegKey key, const std::string& name,
                                           std::uint32_t* type) {
  std::uint32_t t = 0, size = 0;
  if (registry.queryValueInfo(key, name, t, size) != reg::kErrorSuccess) return std::nullopt;
  if (type) *type = t;
  if (t != reg::kRegSz) return std::nullopt;
  if (size == 0) return std::string();
  std::string data;
  if (registry.queryValue(key, name, size, t, data) != reg::kErrorSuccess) return std::nullopt;
  // Only the terminating zero goes; data stored without one keeps its last character.
  if (!data.empty() && data.back() == '\0') data.pop_back();
  return data;
}

std::string permissionWarningText(const std::string& productName) {
  return productName +
         " requires read/write access to the system registry and hard drive in order to run "
         "properly.  This user account does not have the proper permissions set.  As a result "
         "some or all of your settings may not be properly saved.  Please contact your system "
         "administrator or change the permission settings for this account.\r\n\r\n"
         "If you would like to prevent this error message from being displayed again, please "
         "press 'Ignore'.";
}

SettingsStore::SettingsStore(Registry& registry, Dialogs& dialogs, const ProductIdentity& identity,
                             std::function<bool()> startedInTray)
    : registry_(registry),
      dialogs_(dialogs),
      identity_(identity),
      startedInTray_(std::move(startedInTray)) {}

Result<std::string> SettingsStore::GetMachineSetting(const std::string& appName,
                                                     const std::string& section,
                                                     const std::string& key,
                                                     const std::string& defaultValue) const {
  if (trimSpaces(appName).empty()) return SysError{kErrAppNameEmpty, "AppName may not be empty"};
  if (trimSpaces(section).empty()) return SysError{kErrSectionEmpty, "Section may not be empty"};
  if (trimSpaces(key).empty()) return SysError{kErrKeyEmpty, "Key may not be empty"};

  ScopedKey hkey(registry_);
  RegStatus r = registry_.openKeyEx(reg::kHkeyLocalMachine,
                                    machineSettingsPath(identity_.CompanyName, appName, section),
                                    reg::kKeyRead, hkey.slot());
  if (r == reg::kErrorFileNotFound) return defaultValue;
  if (r != reg::kErrorSuccess) return registryError(r, "Could not open registry section");
  hkey.adopt();

  std::uint32_t type = reg::kRegSz;
  std::optional<std::string> text = readStringValue(registry_, hkey.get(), key, &type);
  if (type != reg::kRegSz) return registryError(type, "Registry data not a string");
  return text ? *text : defaultValue;
}

bool SettingsStore::SaveMachineSetting(const std::string& appName, const std::string& section,
                                       const std::string& key, const std::string& value) {
  const std::string path = machineSettingsPath(identity_.CompanyName, appName, section);
  ScopedKey hkey(registry_);
  for (;;) {
    // A retry repeats the step that failed and carries on from there.
    RegStatus r = reg::kErrorSuccess;
    if (!hkey.isOpen()) {
      r = registry_.createKeyEx(reg::kHkeyLocalMachine, path, reg::kKeyReadWriteLink, hkey.slot());
      if (r == reg::kErrorSuccess) hkey.adopt();
    }
    if (r == reg::kErrorSuccess) {
      // The text without a terminating zero; the registry stores it with one.
      r = registry_.setValue(hkey.get(), key, reg::kRegSz, value);
      if (r == reg::kErrorSuccess) return true;
    }
    if (!permissionWarning()) return false;
  }
}

bool SettingsStore::permissionWarning() {
  const std::string& product = identity_.ProgramName;
  const std::string ignoreKey(settingDef(Setting::IgnorePermissionDeniedError).key);
  if (GetUserSetting(product, kSettingsSection, ignoreKey, "0") == "1") {
    return false;
  }
  if (startedInTray_ && startedInTray_()) return false;
  switch (dialogs_.messageBox(permissionWarningText(product), kPermissionWarningTitle,
                              MsgButtons::AbortRetryIgnore)) {
    case MsgResult::Retry:
      return true;
    case MsgResult::Ignore:
      SaveUserSetting(product, kSettingsSection, ignoreKey, "1");
      return false;
    default:
      return false;
  }
}

std::string SettingsStore::GetUserSetting(const std::string& appName, const std::string& section,
                                          const std::string& key,
                                          const std::string& defaultValue) const {
  ScopedKey hkey(registry_);
  if (registry_.openKeyEx(reg::kHkeyCurrentUser,
                          userSettingsPath(identity_.CompanyName, appName, section), reg::kKeyRead,
                          hkey.slot()) != reg::kErrorSuccess) {
    return defaultValue;
  }
  hkey.adopt();
  return readStringValue(registry_, hkey.get(), key).value_or(defaultValue);
}

void SettingsStore::SaveUserSetting(const std::string& appName, const std::string& section,
                                    const std::string& key, const std::string& value) {
  ScopedKey hkey(registry_);
  if (registry_.createKeyEx(reg::kHkeyCurrentUser,
                            userSettingsPath(identity_.CompanyName, appName, section),
                            reg::kKeyWrite, hkey.slot()) != reg::kErrorSuccess) {
    return;
  }
  hkey.adopt();
  registry_.setValue(hkey.get(), key, reg::kRegSz, value);
}

std::string ScrambleText(std::string& text, const TextCodec& codec) {
  // A character takes part only when its one-byte ANSI code and its partner's both convert
  // back unchanged; everything else is copied as it is, so nothing is lost.
  auto single = [&](std::string_view utf8) -> int {
    std::string ansi = codec.utf8ToAnsi(utf8);
    if (ansi.size() != 1 || codec.ansiToUtf8(ansi) != utf8) return -1;
    return static_cast<unsigned char>(ansi[0]);
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    nextCodePoint(text, i);
    const std::string_view ch = std::string_view(text).substr(start, i - start);
    const int c = single(ch);
    if (c >= 0 && c != 128) {
      const int code = c < 128 ? c + 128 : c - 128;
      const std::string partner = codec.ansiToUtf8(std::string(1, static_cast<char>(code)));
      if (single(partner) == code) {
        out += partner;
        continue;
      }
    }
    out += ch;
  }
  text = std::move(out);
  return text;
}

}  // namespace quenmark
