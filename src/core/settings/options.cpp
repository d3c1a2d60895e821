#include "core/settings/options.h"

#include "core/settings/column_widths.h"
#include "core/settings/run_at_start.h"

namespace quenmark {

std::string& OptionValues::operator[](Setting s) {
  return const_cast<std::string&>(std::as_const(*this)[s]);
}

const std::string& OptionValues::operator[](Setting s) const {
  switch (s) {
#define QUENMARK_SETTING_CASE(name, area, initial, saveKey) \
  case Setting::name:                                       \
    return name;
    QUENMARK_SETTINGS(QUENMARK_SETTING_CASE)
#undef QUENMARK_SETTING_CASE
  }
  return chkRunAtStart;  // not reached: every setting has its case
}

Options::Options(SettingsStore& store, const ProductIdentity& identity)
    : store_(store), identity_(identity), policy_(store.registry(), identity) {}

std::string Options::appName(SettingArea area) const {
  return area == SettingArea::RunChoice ? runEntryName(identity_.ProgramName)
                                        : identity_.ProgramName;
}

std::string Options::get(Setting s) const { return get(s, settingDef(s).initial); }

std::string Options::get(Setting s, std::string_view defaultValue) const {
  if (auto set = policy_.setting(s)) return *std::move(set);
  if (const auto it = refused_.find(s); it != refused_.end()) return it->second;
  const SettingDef& d = settingDef(s);
  const std::string key(d.key), initial(defaultValue);
  if (d.area == SettingArea::User) {
    return store_.GetUserSetting(appName(d.area), kSettingsSection, key, initial);
  }
  // A failed read (a value of another type, an unreadable section) falls back to the
  // default, since no reader can do better with the error.
  const Result<std::string> v =
      store_.GetMachineSetting(appName(d.area), kSettingsSection, key, initial);
  return v ? *v : initial;
}

OptionValues Options::values() const {
  OptionValues out;
  for (const SettingDef& d : kSettings) out[d.id] = get(d.id);
  return out;
}

bool Options::set(Setting s, const std::string& value) {
  if (setByPolicy(s)) return false;
  const SettingDef& d = settingDef(s);
  const std::string key(d.saveKey);
  bool stored = true;
  if (d.area == SettingArea::User) {
    store_.SaveUserSetting(appName(d.area), kSettingsSection, key, value);
  } else {
    stored = store_.SaveMachineSetting(appName(d.area), kSettingsSection, key, value);
  }
  if (stored) {
    refused_.erase(s);
  } else {
    refused_[s] = value;
  }
  for (const Listener& l : listeners_) l(s, value);
  return stored;
}

std::string Options::columnWidth(int n) const {
  return store_.GetUserSetting(identity_.ProgramName, kSettingsSection,
                               std::string(kColumnWidthKey) + std::to_string(n),
                               std::string(kDefaultColumnWidth));
}

void Options::setColumnWidth(int n, const std::string& width) {
  store_.SaveUserSetting(identity_.ProgramName, kSettingsSection,
                         std::string(kColumnWidthKey) + std::to_string(n), width);
}

}  // namespace quenmark
