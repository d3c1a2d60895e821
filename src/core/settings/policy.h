#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/identity.h"
#include "core/settings/setting_keys.h"
#include "platform/registry.h"

namespace quenmark {

// What an administrator may set for every account of the computer, under
// HKEY_LOCAL_MACHINE\SOFTWARE\Policies\<company>\<product> (Group Policy and Intune write
// there; the program only reads). A value of the table, as REG_DWORD or REG_SZ, overrides
// its setting; a value missing means the user decides. installer/Quenmark.admx describes
// every value of this table, and a test holds the two together.
enum class PolicyValue {
  chkMin,
  chkSplash,
  chkNoShow,
  chkAlwaysExit,
  chkWake,
  chkWarn,
  LanguageHost,
  chkPrevent,       // "Prevent any schedules from running": 1 paused, 0 never paused
  SchedulesLocked,  // 1: schedules cannot be created, changed or deleted here
};

struct PolicyDef {
  PolicyValue id;
  std::string_view valueName;
  std::optional<Setting> setting;  // the setting it overrides, if it is one
};

inline constexpr std::array<PolicyDef, 9> kPolicies{{
    {PolicyValue::chkMin, "chkMin", Setting::chkMin},
    {PolicyValue::chkSplash, "chkSplash", Setting::chkSplash},
    {PolicyValue::chkNoShow, "chkNoShow", Setting::chkNoShow},
    {PolicyValue::chkAlwaysExit, "chkAlwaysExit", Setting::chkAlwaysExit},
    {PolicyValue::chkWake, "chkWake", Setting::chkWake},
    {PolicyValue::chkWarn, "chkWarn", Setting::chkWarn},
    {PolicyValue::LanguageHost, "LanguageHost", Setting::LanguageHost},
    {PolicyValue::chkPrevent, "chkPrevent", std::nullopt},
    {PolicyValue::SchedulesLocked, "SchedulesLocked", std::nullopt},
}};
static_assert(
    [] {
      for (std::size_t i = 0; i < kPolicies.size(); ++i) {
        if (static_cast<std::size_t>(kPolicies[i].id) != i) return false;
      }
      return true;
    }(),
    "kPolicies lists the values in the order of PolicyValue");

// "SOFTWARE\Policies\company\product".
std::string policyPath(const std::string& company, const std::string& product);

// The administrator's values, read from the registry each time they are asked for (a
// policy refresh takes effect without a restart wherever the program reads a value anew).
class Policy {
 public:
  Policy(Registry& registry, const ProductIdentity& identity)
      : registry_(registry), identity_(identity) {}

  // The value as text: a REG_DWORD in decimal, a REG_SZ as stored; none when the value is
  // missing, unreadable or of another type.
  std::optional<std::string> value(PolicyValue v) const;
  // The value that overrides setting `s`; none when no policy sets it.
  std::optional<std::string> setting(Setting s) const;

  // New, Edit, Delete and every other change to the schedules are refused.
  bool schedulesLocked() const { return value(PolicyValue::SchedulesLocked) == "1"; }
  // "Prevent any schedules from running" as an administrator set it; none when the user may
  // choose.
  std::optional<bool> schedulesPaused() const;

 private:
  Registry& registry_;
  const ProductIdentity& identity_;
};

}  // namespace quenmark
