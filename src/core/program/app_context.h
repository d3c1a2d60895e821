#pragma once

#include <string>

#include "base/identity.h"
#include "core/i18n/languages.h"
#include "core/schedule/schedule_commands.h"
#include "core/schedule/schedule_service.h"
#include "core/settings/options.h"
#include "platform/platform.h"
#include "core/settings/settings_store.h"

namespace quenmark {

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
        options(store, identity),
        languages(seams.fs, seams.codec, programFolder, identity, CurrentLanguage),
        schedules({seams.fs, seams.codec, seams.clock, seams.regional, seams.dialogs, seams.power,
                   options, programFolder,
                   [this](const std::string& key) { return languages.getMessages(key); },
                   seams.events, &seams.meters}),
        commands(schedules, options.policy(), seams.fs, seams.codec, seams.clock, programFolder) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Platform platform;
  std::string programFolder;  // the folder of the running program, without a final "\"

  ProductIdentity identity;     // filled by InitProductIdentity at start
  std::string CurrentLanguage;  // the language in effect: the catalogue's loads set it
  bool StartedInTray = false;   // set by the main window; the settings store asks it

  SettingsStore store;
  Options options;
  clsLanguages languages;  // the catalogue; the main window's load fills it
  ScheduleService schedules;
  ScheduleCommands commands;  // what the command line changes, in the running program or not
};

}  // namespace quenmark
