#include "core/settings/policy.h"

#include <cstdint>

#include "core/settings/scoped_key.h"
#include "core/settings/settings_store.h"

namespace quenmark {

std::string policyPath(const std::string& company, const std::string& product) {
  return "SOFTWARE\\Policies\\" + company + "\\" + product;
}

std::optional<std::string> Policy::value(PolicyValue v) const {
  const PolicyDef& def = kPolicies[static_cast<std::size_t>(v)];
  ScopedKey key(registry_);
  if (registry_.openKeyEx(reg::kHkeyLocalMachine,
                          policyPath(identity_.CompanyName, identity_.ProgramName), reg::kKeyRead,
                          key.slot()) != reg::kErrorSuccess) {
    return std::nullopt;
  }
  key.adopt();
  const std::string name(def.valueName);
  std::uint32_t type = 0;
  if (auto text = readStringValue(registry_, key.get(), name, &type)) return text;
  if (type != reg::kRegDword) return std::nullopt;
  std::string data;
  if (registry_.queryValue(key.get(), name, 4, type, data) != reg::kErrorSuccess ||
      type != reg::kRegDword || data.size() != 4) {
    return std::nullopt;
  }
  std::uint32_t n = 0;
  for (std::size_t i = 4; i-- > 0;) n = n << 8 | static_cast<unsigned char>(data[i]);
  return std::to_string(n);
}

std::optional<std::string> Policy::setting(Setting s) const {
  for (const PolicyDef& def : kPolicies) {
    if (def.setting == s) return value(def.id);
  }
  return std::nullopt;
}

std::optional<bool> Policy::schedulesPaused() const {
  const std::optional<std::string> v = value(PolicyValue::chkPrevent);
  if (!v) return std::nullopt;
  return *v == "1";
}

}  // namespace quenmark
