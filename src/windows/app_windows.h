#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/schedule/schedule_record.h"

namespace quenmark {

// The one place through which the main window opens every other window, so that a window
// arriving later only fills its member here. WinMain fills the members; tests fill them with
// recorders. An empty member opens nothing, except `helpLauncher` and `website`, for which
// the main window has its own way (Form8; the site in the user's browser).
struct AppWindows {
  // The schedule wizard, modeless: editing the given schedule, or making a new one.
  std::function<void(const std::optional<ScheduleRecord>& toEdit)> wizard;
  // Loads the wizard without showing it, so that the translation template lists it.
  std::function<void()> loadWizardForTemplate;
  // The language window; modal on the very first start, modeless from the menu.
  std::function<void(bool modal)> language;
  std::function<void()> options;
  std::function<void()> about;
  // The notice that the program goes on running in the tray.
  std::function<void()> stillRunning;
  std::function<void()> website;
  // The countdown before a warned scheduled action, on the countdown just begun.
  std::function<void()> countdown;
  // "When..." of the quick timer: the Condition window, with the action chosen beside it.
  std::function<void(const std::string& action)> condition;
  // Opens the help file once: load the launcher, let events run once, unload it.
  std::function<void()> helpLauncher;
};

}  // namespace quenmark
