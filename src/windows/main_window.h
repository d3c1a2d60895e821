#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "windows/app_windows.h"
#include "platform/instance_guard.h"
#include "windows/tray_icon_window.h"
#include "base/identity.h"
#include "gui/form.h"
#include "gui/skin_hook.h"
#include "core/i18n/languages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/power_api.h"
#include "platform/regional.h"
#include "platform/shell.h"
#include "platform/text_codec.h"
#include "core/power/power.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/scheduler.h"
#include "core/schedule/schedule_service.h"
#include "core/settings/options.h"

namespace quenmark {

// What the main window reads and what it may change.
struct MainWindowContext {
  FileSystem& fs;
  const TextCodec& codec;
  const Clock& clock;
  const Regional& regional;
  Dialogs& dialogs;
  Shell& shell;
  const ProductIdentity& identity;
  Options& options;
  ScheduleService& schedules;     // the list, the engine and CPower this window shows and drives
  clsLanguages& languages;        // filled with the built-in messages at load
  bool& startedInTray;            // set when the window starts hidden in the tray (by /tray
                                  // before the load)
  std::string programFolder;
  gui::SkinHook skin{};           // empty while skinning is off
};

// The main window: a view of the schedule service (the list, the quick schedule, the two
// switches), the timers that drive its engine, and the tray icon. Its load starts the
// engine and its unload ends it, and the program.
class frmMain : public gui::Form {
 public:
  // What the Power Options command starts: the system's power options.
  static constexpr std::string_view kPowerOptionsCommand =
      "RunDLL32.EXE shell32.dll,Control_RunDLL powercfg.cpl";

  frmMain(gui::Forms& forms, MainWindowContext context, AppWindows& windows,
          const InstanceGuard& guard);
  ~frmMain() override;

  // Reads every schedule file into the list again.
  void loadData();

  // Writes the translation template of every loaded window (the wizard loaded first).
  void makeLocalizationFile();

  // Ends the program: the next unload is not turned into hiding in the tray.
  void exitProgram();
  // The same once the message in hand is done: for a window that decides it in the middle of
  // its own load or of this window's close.
  void exitProgramLater();
  bool exitRequested() const { return ExitRequested; }

  const ScheduleList& schedules() const { return app_.schedules.list(); }
  // The record of the list entry clicked last, which Edit hands to the wizard.
  const ScheduleRecord& currentSchedule() const { return CurrentSchedule; }
  // The engine from the load to the unload; null outside that time.
  Scheduler* scheduler() const { return app_.schedules.engine(); }

 private:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_QueryUnload(bool& cancel, gui::UnloadMode mode) override;
  void Form_Unload(bool& cancel) override;
  void languageApplied() override;

  void cmdNewSchedule_Click();
  void cmdEdit_Click();
  void cmdDelete_Click();
  void cmdGo_Click();
  void cmdPower_Click();
  void cmdWebsite_Click();
  void chkLowPower_Click();
  void chkPrevent_Click();
  void cbShutdown_KeyPress(int& keyAscii);
  void lstSchedules_ItemClick(int row);
  void mnuFileItem_Click(int index);
  void mnuActionItem_Click(int index);
  void mnuPowerOptions_Click(int index);
  void mnuLanguageItem_Click(int index);
  void mnuHelpItem_Click(int index);
  void mnuAboutItem_Click(int index);
  void mnuTrayItem_Click(int index);
  void tmrScheduler_Timer();
  void tmrProcessSchedule_Timer();
  void timSchedule_Timer();
  void tmrTrayIcon_Timer();

  // An administrator's policy forbids changing the schedules: says so, and true.
  bool schedulesLocked();
  void enableItemCommands();
  void disableItemCommands();
  void fillActionList();
  void restoreColumnWidths();
  void storeColumnWidths();
  void unloadOtherWindows();
  void openHelpLauncher();
  void trayShowWindow();
  std::string message(const std::string& key) const;
  WindowHandle handle() const { return reinterpret_cast<WindowHandle>(hwnd()); }

  MainWindowContext app_;
  AppWindows& windows_;  // filled by the program; a window arriving later fills its member
  const InstanceGuard& guard_;

  gui::ListView lstSchedules;
  gui::CommandButton cmdNewSchedule;
  gui::CommandButton cmdEdit;
  gui::CommandButton cmdDelete;
  gui::CommandButton cmdWebsite;
  gui::CommandButton cmdPower;
  gui::SkinLabel Label1;
  gui::ControlArray<gui::SkinLabel> SkinLabel1;
  gui::ComboBox cmbTime;
  gui::ComboBox cbShutdown;
  gui::CommandButton cmdGo;
  gui::CheckBox chkLowPower;
  gui::CheckBox chkPrevent;
  gui::ListBox lstSchedule;
  gui::PictureBox pctTray;
  gui::Timer tmrScheduler;
  gui::Timer tmrProcessSchedule;
  gui::Timer timSchedule;
  gui::Timer tmrTrayIcon;

  // The items of cmbTime and cbShutdown as the codes the quick schedule takes; the combos
  // show their display texts in the same order.
  std::vector<std::string_view> delays_;
  std::vector<std::string_view> actions_;

  ScheduleRecord CurrentSchedule;
  bool ExitRequested = false;  // the next close exits the program instead of hiding it

  bool reloading_ = false;  // the list view catches up once the reload is done
  std::unique_ptr<win32::TrayIconHost> tray_;
  bool endedAtLoad_ = false;  // another instance runs: this one leaves without a trace
};

}  // namespace quenmark
