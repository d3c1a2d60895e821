#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/identity.h"
#include "core/settings/policy.h"
#include "core/settings/setting_keys.h"
#include "core/settings/settings_store.h"

namespace quenmark {

// The program's settings as it reads and stores them, over the registry-backed store (which
// keeps no state): a read asks the registry at that moment, as a setting may change outside
// the program. `set` stores a value and then tells every listener the new value. A value
// whose storing was refused (an account that may not write the machine's settings, the
// warning answered with Abort or Ignore) is kept here for the rest of the run, so that the
// program and the options window both go on with what the user chose; it is not kept for
// the next start. A setting an administrator set by policy reads as the policy says and is
// never stored: `set` refuses it and tells no one.
class Options {
 public:
  using Listener = std::function<void(Setting, const std::string& value)>;

  Options(SettingsStore& store, const ProductIdentity& identity);

  std::string get(Setting s) const;
  // The same with another default: the language, read with "" to learn whether one was
  // ever chosen.
  std::string get(Setting s, std::string_view defaultValue) const;
  // "1" (a box ticked).
  bool ticked(Setting s) const { return get(s) == "1"; }
  // Every setting, read now.
  OptionValues values() const;
  // Stores the value and tells the listeners; false when storing it was refused (the value
  // still holds for this run) or a policy sets it (nothing changes).
  bool set(Setting s, const std::string& value);
  // Whether an administrator set it: its box is then shown but not changed.
  bool setByPolicy(Setting s) const { return policy_.setting(s).has_value(); }
  // The administrator's values, those that are no setting among them (the schedules' lock).
  const Policy& policy() const { return policy_; }
  // Called after every set, with the value now in effect.
  void listen(Listener listener) { listeners_.push_back(std::move(listener)); }

  // The width of column `n` (from 1) as stored, and storing one.
  std::string columnWidth(int n) const;
  void setColumnWidth(int n, const std::string& width);

  SettingsStore& store() const { return store_; }
  const ProductIdentity& identity() const { return identity_; }

 private:
  // The application name of the area: the product, or the Run entry's name.
  std::string appName(SettingArea area) const;

  SettingsStore& store_;
  const ProductIdentity& identity_;
  Policy policy_;
  std::map<Setting, std::string> refused_;  // values of this run that could not be stored
  std::vector<Listener> listeners_;
};

}  // namespace quenmark
