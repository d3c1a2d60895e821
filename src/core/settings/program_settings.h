#pragma once

#include <string>

#include "base/identity.h"
#include "core/settings/settings_store.h"

namespace quenmark {

// The settings as the program itself reads and stores them: its product name as the
// application name, the "Settings" section. The windows take this rather than the store.
class ProgramSettings {
 public:
  ProgramSettings(SettingsStore& store, const ProductIdentity& identity)
      : store_(store), identity_(identity) {}

  std::string user(const std::string& key, const std::string& defaultValue) const {
    return store_.GetUserSetting(identity_.ProgramName, kSettingsSection, key, defaultValue);
  }
  void saveUser(const std::string& key, const std::string& value) {
    store_.SaveUserSetting(identity_.ProgramName, kSettingsSection, key, value);
  }
  // A failed read (a value of another type, an unreadable section) falls back to the
  // default, since no window can do better with the error.
  std::string machine(const std::string& key, const std::string& defaultValue) const {
    auto v = store_.GetMachineSetting(identity_.ProgramName, kSettingsSection, key, defaultValue);
    return v ? *v : defaultValue;
  }
  void saveMachine(const std::string& key, const std::string& value) {
    store_.SaveMachineSetting(identity_.ProgramName, kSettingsSection, key, value);
  }

  SettingsStore& store() const { return store_; }
  const ProductIdentity& identity() const { return identity_; }

 private:
  SettingsStore& store_;
  const ProductIdentity& identity_;
};

}  // namespace quenmark
