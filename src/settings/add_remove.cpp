#include "settings/add_remove.h"

#include "settings/scoped_key.h"

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

void AddRemove::AddToRun(const std::string& entryName, const std::string& commandLine) {
  SaveString(reg::kHkeyCurrentUser, kRunKeyPath, entryName, commandLine);
}

void AddRemove::RemoveFromRun(const std::string& entryName) {
  DeleteValue(reg::kHkeyCurrentUser, kRunKeyPath, entryName);
}

void AddRemove::AddToRun2(const std::string& entryName, const std::string& commandLine) {
  SaveString(reg::kHkeyLocalMachine, kRunKeyPath, entryName, commandLine);
}

void AddRemove::RemoveFromRun2(const std::string& entryName) {
  DeleteValue(reg::kHkeyLocalMachine, kRunKeyPath, entryName);
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

void AddRemove::SaveString(RegKey root, const std::string& path, const std::string& valueName,
                           const std::string& value) {
  ScopedKey key(registry_);
  if (registry_.createKey(root, path, key.slot()) != reg::kErrorSuccess) return;
  key.adopt();
  registry_.setValue(key.get(), valueName, reg::kRegSz, value);
}

void AddRemove::DeleteValue(RegKey root, const std::string& path, const std::string& valueName) {
  ScopedKey key(registry_);
  if (registry_.openKey(root, path, key.slot()) != reg::kErrorSuccess) return;
  if (key.slot() != root) key.adopt();
  registry_.deleteValue(key.isOpen() ? key.get() : root, valueName);
}

void AddRemove::DeleteKey(RegKey root, const std::string& path) { registry_.deleteKey(root, path); }

}  // namespace quenmark
