#include "core/settings/run_at_start.h"

#include "core/settings/options.h"

#include <algorithm>

#include "core/settings/add_remove.h"
#include "core/settings/scoped_key.h"

namespace quenmark {

namespace {

// ".exe" in any letter case; its letters are ASCII, so ASCII folding finds every spelling.
bool containsExe(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text.find(".exe") != std::string::npos;
}

// The Run list's value for `entry`, read without asking for write access; nothing when it is
// missing or cannot be read.
std::optional<std::string> runValue(Registry& registry, const std::string& entry) {
  ScopedKey key(registry);
  if (registry.openKeyEx(reg::kHkeyLocalMachine, kRunKeyPath, reg::kKeyRead, key.slot()) !=
      reg::kErrorSuccess) {
    return std::nullopt;
  }
  key.adopt();
  return readStringValue(registry, key.get(), entry);
}

}  // namespace

std::string runEntryName(const std::string& productName) { return productName + "-1"; }

std::string runAtStartCommand(const std::string& modulePath) {
  const std::size_t slash = modulePath.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : modulePath.substr(0, slash);
  std::string name = slash == std::string::npos ? modulePath : modulePath.substr(slash + 1);
  // Windows names the root of a drive with its backslash ("C:\"), other folders without.
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) {
    name.resize(dot);
  }
  std::string command = folder + "\\" + name;
  if (!containsExe(command)) command += ".exe";
  if (command.find(' ') != std::string::npos) command = "\"" + command + "\"";
  return command;
}

void applyRunAtStart(bool selected, Options& options, Registry& registry,
                     const std::string& modulePath) {
  const ProductIdentity& identity = options.identity();
  const std::string entry = runEntryName(identity.ProgramName);
  const std::string choice = selected ? "1" : "0";
  const std::string command = runAtStartCommand(modulePath);
  // Nothing to write when both already say so: a standard account, which may not write
  // the machine's part of the registry, then opens the options without a warning.
  if (options.get(Setting::chkRunAtStart, "") == choice &&
      (selected ? runValue(registry, entry) == command : !runValue(registry, entry))) {
    return;
  }
  const bool stored = options.set(Setting::chkRunAtStart, choice);
  AddRemove run(registry, identity);
  auto apply = [&] { return selected ? run.AddToRun2(entry, command) : run.RemoveFromRun2(entry); };
  // A choice that is stored while Windows does not follow it (a Run list locked against the
  // user) would look done; it gets the warning any other unsaved setting gets. A refused store
  // has warned already, and the Run list then fails for the same reason.
  while (!apply() && stored && options.store().permissionWarning()) {
  }
}

}  // namespace quenmark
