#pragma once

#include <memory>
#include <string>

#include "i18n/languages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/power_api.h"
#include "platform/regional.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "platform/version_info.h"
#include "schedule/schedule_record.h"
#include "settings/settings_store.h"
#include "base/identity.h"

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

// What the program keeps program-wide, in one object created by WinMain and handed to the
// windows. The program folder is a field so that tests run windows against a temporary one.
class AppContext {
 public:
  AppContext(Platform seams, std::string folder)
      : platform(seams),
        programFolder(std::move(folder)),
        settings(seams.registry, seams.dialogs, identity,
                 [this] { return StartedInTray; }) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Platform platform;
  std::string programFolder;  // the folder of the running program, without a final "\"

  ProductIdentity identity;     // filled by InitProductIdentity at start
  std::string CurrentLanguage;  // the language in effect
  ScheduleRecord CurrentSchedule;  // the list entry clicked last
  bool EditMode = false;           // the wizard edits CurrentSchedule rather than a new one
  bool ExitRequested = false;      // the next close of the main window exits the program
  bool StartedInTray = false;      // the main window started hidden in the notification area

  SettingsStore settings;
  std::unique_ptr<clsLanguages> languages;  // the catalogue, created by the main window's load

  // The product name and the "Settings" section, as every caller of the store passes them.
  std::string userSetting(const std::string& key, const std::string& defaultValue) const {
    return settings.GetUserSetting(identity.ProgramName, kSettingsSection, key, defaultValue);
  }
  void saveUserSetting(const std::string& key, const std::string& value) {
    settings.SaveUserSetting(identity.ProgramName, kSettingsSection, key, value);
  }
  // A machine setting; a failed read (a value of another type, an unreadable section) falls
  // back to the default, since no window can do better with the error.
  std::string machineSetting(const std::string& key, const std::string& defaultValue) const {
    auto v = settings.GetMachineSetting(identity.ProgramName, kSettingsSection, key, defaultValue);
    return v ? *v : defaultValue;
  }
  void saveMachineSetting(const std::string& key, const std::string& value) {
    settings.SaveMachineSetting(identity.ProgramName, kSettingsSection, key, value);
  }
};

}  // namespace quenmark
