#include "core/settings/options_logic.h"

#include <charconv>
#include <stdexcept>

#include "core/settings/settings_store.h"

namespace quenmark::options {

const Field& field(Setting setting) {
  for (const Field& f : kFields) {
    if (f.setting == setting) return f;
  }
  throw std::out_of_range("no field shows " + std::string(settingDef(setting).key));
}

int checkValue(std::string_view stored) {
  const std::size_t first = stored.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  stored = stored.substr(first, stored.find_last_not_of(' ') - first + 1);
  if (!stored.empty() && stored.front() == '+') stored.remove_prefix(1);
  int value = -1;
  const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), value);
  if (error != std::errc() || end != stored.data() + stored.size()) return 0;
  return value >= 0 && value <= 2 ? value : 0;
}

std::string shownText(const Field& field, std::string stored, const TextCodec& codec) {
  return field.kind == FieldKind::Password ? ScrambleText(stored, codec) : stored;
}

std::string storedText(const Field& field, std::string content, const TextCodec& codec) {
  // The scrambling is its own inverse: one routine both ways.
  return shownText(field, std::move(content), codec);
}

}  // namespace quenmark::options
