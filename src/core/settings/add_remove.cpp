#include "core/settings/add_remove.h"

#include "core/settings/scoped_key.h"

namespace quenmark {

AddRemove::AddRemove(Registry& registry, const ProductIdentity& identity)
    : registry_(registry), identity_(identity) {}

void AddRemove::AddToList(const std::string& entryName, const std::string& uninstallCommand) {
  const std::string path = kUninstallKeyPath + entryName;
  SaveString(reg::kHkeyLocalMachine, path, "DisplayName", entryName);
  SaveString(reg::kHkeyLocalMachine, path, "UninstallString", uninstallCommand);
}

void AddRemove::RemoveFromList(const std::string& entryName) {
  DeleteKey(reg::kHkeyLocalMachine, kUninstallKeyPath + entryName);
}

bool AddRemove::AddToRun(const std::string& entryName, const std::string& commandLine) {
  return SaveString(reg::kHkeyCurrentUser, kRunKeyPath, entryName, commandLine);
}

bool AddRemove::RemoveFromRun(const std::string& entryName) {
  return DeleteValue(reg::kHkeyCurrentUser, kRunKeyPath, entryName);
}

bool AddRemove::AddToRun2(const std::string& entryName, const std::string& commandLine) {
  return SaveString(reg::kHkeyLocalMachine, kRunKeyPath, entryName, commandLine);
}

bool AddRemove::RemoveFromRun2(const std::string& entryName) {
  return DeleteValue(reg::kHkeyLocalMachine, kRunKeyPath, entryName);
}

void AddRemove::SaveKey(RegKey root, const std::string& path) {
  ScopedKey key(registry_);
  if (registry_.createKey(root, path, key.slot()) == reg::kErrorSuccess) key.adopt();
}

std::string AddRemove::customPath(const std::string& product, const std::string& section) const {
  return "Software\\" + identity_.CompanyName + "\\" + product + "\\" + section;
}

void AddRemove::doSaveSetCustom(const std::string& product, const std::string& section,
                                const std::string& valueName, const std::string& value) {
  SaveString(reg::kHkeyLocalMachine, customPath(product, section), valueName, value);
}

std::string AddRemove::GetStringSettingCustom(const std::string& product,
                                              const std::string& section,
                                              const std::string& valueName,
                                              const std::string& defaultValue) {
  std::optional<std::string> text =
      GetString(reg::kHkeyLocalMachine, customPath(product, section), valueName);
  if (!text || text->empty() || *text == " ") return defaultValue;
  return *text;
}

std::optional<std::string> AddRemove::GetString(RegKey root, const std::string& path,
                                                const std::string& valueName) {
  ScopedKey key(registry_);
  if (registry_.openKey(root, path, key.slot()) != reg::kErrorSuccess) return std::nullopt;
  // An empty path hands back the root itself, which is not ours to close.
  if (key.slot() != root) key.adopt();
  const RegKey k = key.isOpen() ? key.get() : root;

  std::uint32_t type = 0, size = 0;
  if (registry_.queryValueInfo(k, valueName, type, size) != reg::kErrorSuccess) return std::nullopt;
  if (type != reg::kRegSz) return std::nullopt;
  std::string data;
  if (size > 0 && registry_.queryValue(k, valueName, size, type, data) != reg::kErrorSuccess) {
    return std::nullopt;
  }
  auto zero = data.find('\0');
  return zero == std::string::npos ? data : data.substr(0, zero);
}

bool AddRemove::SaveString(RegKey root, const std::string& path, const std::string& valueName,
                           const std::string& value) {
  ScopedKey key(registry_);
  if (registry_.createKey(root, path, key.slot()) != reg::kErrorSuccess) return false;
  key.adopt();
  return registry_.setValue(key.get(), valueName, reg::kRegSz, value) == reg::kErrorSuccess;
}

bool AddRemove::DeleteValue(RegKey root, const std::string& path, const std::string& valueName) {
  ScopedKey key(registry_);
  const RegStatus opened = registry_.openKey(root, path, key.slot());
  if (opened == reg::kErrorFileNotFound) return true;  // no key, so no value either
  if (opened != reg::kErrorSuccess) return false;
  if (key.slot() != root) key.adopt();
  const RegStatus r = registry_.deleteValue(key.isOpen() ? key.get() : root, valueName);
  return r == reg::kErrorSuccess || r == reg::kErrorFileNotFound;
}

void AddRemove::DeleteKey(RegKey root, const std::string& path) { registry_.deleteKey(root, path); }

}  // namespace quenmark
