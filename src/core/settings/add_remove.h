#pragma once

#include <optional>
#include <string>

#include "platform/registry.h"
#include "base/identity.h"

namespace quenmark {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kUninstallKeyPath[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Registry routines for the Windows start-up (Run) list, the uninstall list and a custom
// section of the company's key. Every routine opens and closes its own key; a failing call
// leaves the registry as it was. The Run routines, and the two they are made of, say whether
// the registry now holds what was asked (a value to remove that is not there is removed).
class AddRemove {
 public:
  AddRemove(Registry& registry, const ProductIdentity& identity);

  // Uninstall entry under HKEY_LOCAL_MACHINE: "DisplayName" and "UninstallString".
  void AddToList(const std::string& entryName, const std::string& uninstallCommand);
  void RemoveFromList(const std::string& entryName);
  // The per-user start-up list (HKEY_CURRENT_USER).
  bool AddToRun(const std::string& entryName, const std::string& commandLine);
  bool RemoveFromRun(const std::string& entryName);
  // The all-users start-up list (HKEY_LOCAL_MACHINE).
  bool AddToRun2(const std::string& entryName, const std::string& commandLine);
  bool RemoveFromRun2(const std::string& entryName);
  // Creates the key and closes it.
  void SaveKey(RegKey root, const std::string& path);
  // HKEY_LOCAL_MACHINE\Software\company\product\section.
  void doSaveSetCustom(const std::string& product, const std::string& section,
                       const std::string& valueName, const std::string& value);
  // The text of that value, or `defaultValue` when it is empty, a single space, missing or
  // not a string.
  std::string GetStringSettingCustom(const std::string& product, const std::string& section,
                                     const std::string& valueName, const std::string& defaultValue);
  // The text of a REG_SZ value up to its first zero character; nothing for a missing value
  // or one of another type.
  std::optional<std::string> GetString(RegKey root, const std::string& path,
                                       const std::string& valueName);
  bool SaveString(RegKey root, const std::string& path, const std::string& valueName,
                  const std::string& value);
  bool DeleteValue(RegKey root, const std::string& path, const std::string& valueName);
  // A key that still has subkeys stays.
  void DeleteKey(RegKey root, const std::string& path);

 private:
  std::string customPath(const std::string& product, const std::string& section) const;

  Registry& registry_;
  const ProductIdentity& identity_;
};

}  // namespace quenmark
