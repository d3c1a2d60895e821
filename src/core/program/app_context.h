#pragma once

#include <string>

#include "base/identity.h"
#include "core/i18n/languages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/power_api.h"
#include "platform/regional.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/version_info.h"
#include "core/settings/program_settings.h"
#include "core/settings/settings_store.h"

namespace quenmark {

// The outside world as the program reaches it. WinMain hands in the Win32 implementations;
// tests hand in fakes (power calls are always recorded, never made, in tests).
struct Platform {
  FileSystem& fs;
  const TextCodec& codec;
  const Clock& clock;
  const Regional& regional;
  Dialogs& dialogs;
  Registry& registry;
  PowerApi& power;
  Shell& shell;
  const VersionInfo& versionInfo;
};

// What the program keeps program-wide, made once by WinMain. Windows never take it whole:
// the program hands each window a context of its own made from these parts, naming what the
// window reads and what it may change. The program folder is a field so that tests run
// windows against a temporary one.
class AppContext {
 public:
  AppContext(Platform seams, std::string folder)
      : platform(seams),
        programFolder(std::move(folder)),
        store(seams.registry, seams.dialogs, identity, [this] { return StartedInTray; }),
        settings(store, identity),
        languages(seams.fs, seams.codec, programFolder, identity, CurrentLanguage) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Platform platform;
  std::string programFolder;  // the folder of the running program, without a final "\"

  ProductIdentity identity;     // filled by InitProductIdentity at start
  std::string CurrentLanguage;  // the language in effect: the catalogue's loads set it
  bool StartedInTray = false;   // set by the main window; the settings store asks it

  SettingsStore store;
  ProgramSettings settings;
  clsLanguages languages;  // the catalogue; the main window's load fills it
};

}  // namespace quenmark
