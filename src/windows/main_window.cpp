#include "windows/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <span>

#include "core/settings/column_widths.h"
#include "base/ignore_errors.h"
#include "base/timer_intervals.h"
#include "core/i18n/default_messages.h"
#include "core/i18n/display_text.h"
#include "core/schedule/schedule_file.h"
#include "windows/code_combo.h"
#include "windows/form8_window.h"
#include "base/file_exists.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;
namespace menuopt = gui::menuopt;

namespace {

// Posted by exitProgramLater; any private message will do.
constexpr UINT kExitLaterMessage = WM_APP + 2;

// The design, in twips at a window of 10200 x 7200: two rows of commands, the two switches,
// and the schedule list filling the rest. Form_Resize keeps the right and bottom edges.
constexpr int kRow1 = 120;
constexpr int kRow2 = 615;
constexpr int kButtonHeight = 375;
constexpr int kComboTop = kRow2 + 30;
constexpr int kListTop = 1740;

}  // namespace

frmMain::frmMain(gui::Forms& forms, MainWindowContext context, AppWindows& windows,
                 const InstanceGuard& guard)
    : gui::Form(forms, "frmMain",
                {.caption = context.identity.ProgramName, .width = 10200, .height = 7200}),
      app_(std::move(context)),
      windows_(windows),
      guard_(guard),
      tmrScheduler(*this, "tmrScheduler", kScanIntervalMs, true),
      tmrProcessSchedule(*this, "tmrProcessSchedule", kQueueIntervalMs, false),
      timSchedule(*this, "timSchedule", kActionIntervalMs, false),
      tmrTrayIcon(*this, "tmrTrayIcon", kTrayRetryMs, true) {
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::CommandButton, "cmdNewSchedule", {}, "New Schedule", 120, kRow1, 1500,
       kButtonHeight, "", 0, cmdNewSchedule},
      {Kind::CommandButton, "cmdEdit", {}, "Edit", 1710, kRow1, 1200, kButtonHeight, "",
       opt::kDisabled, cmdEdit},
      {Kind::CommandButton, "cmdDelete", {}, "Delete", 3000, kRow1, 1200, kButtonHeight, "",
       opt::kDisabled, cmdDelete},
      {Kind::CommandButton, "cmdWebsite", {}, "Visit [Website]", 4290, kRow1, 5710,
       kButtonHeight, "", 0, cmdWebsite},
      {Kind::CommandButton, "cmdPower", {}, "Power Options", 120, kRow2, 1500, kButtonHeight,
       "", 0, cmdPower},
      {Kind::SkinLabel, "Label1", {}, "Temporary Scheduler:", 1800, kRow2 + 90, 2040, 255, "",
       0, Label1},
      // Copies of plain labels for the skin join this array at run time.
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "", opt::kHidden, SkinLabel1},
      {Kind::ComboBox, "cmbTime", {}, "", 3900, kComboTop, 1800, 315, "", 0, cmbTime},
      {Kind::ComboBox, "cbShutdown", {}, "", 5790, kComboTop, 1800, 315, "", 0, cbShutdown},
      {Kind::CommandButton, "cmdGo", {}, "Go", 7680, kRow2, 900, kButtonHeight, "", 0, cmdGo},
      {Kind::CheckBox, "chkLowPower", {},
       "Prevent this computer from entering Stand By mode or Hibernating due to inactivity",
       120, 1110, 9000, 255, "", 0, chkLowPower},
      {Kind::CheckBox, "chkPrevent", {}, "Prevent any schedules from running", 120, 1380, 6000,
       255, "", 0, chkPrevent},
      // Last in the tab order, as it stands below the commands.
      {Kind::ListView, "lstSchedules", {}, "", 120, kListTop, 9880, 4460, "", opt::kVirtual,
       lstSchedules},
      // The engine keeps the queue of due schedules itself; the list box stays hidden.
      {Kind::ListBox, "lstSchedule", {}, "", 0, 0, 0, 0, "", opt::kHidden, lstSchedule},
      // The tray icon's messages come to the window itself (TrayIconHost).
      {Kind::PictureBox, "pctTray", {}, "", 0, 0, 0, 0, "", opt::kHidden, pctTray},
  });
  // clang-format on
  addMenus({
      {"mnuFile", 0, "File"},
      {"mnuFileItem", 0, "New Schedule", "mnuFile"},
      {"mnuFileItem", 1, "Edit Selected", "mnuFile", menuopt::kDisabled},
      {"mnuFileItem", 2, "Delete Selected", "mnuFile", menuopt::kDisabled},
      {"mnuFileItem", 3, "-", "mnuFile"},
      {"mnuFileItem", 4, "General Preferences", "mnuFile"},
      {"mnuFileItem", 5, "-", "mnuFile"},
      {"mnuFileItem", 6, "Exit", "mnuFile"},
      {"mnuAction", 0, "Action"},
      {"mnuActionItem", 0, std::string(kPowerActions[0].menuCaption), "mnuAction"},
      {"mnuActionItem", 1, std::string(kPowerActions[1].menuCaption), "mnuAction"},
      {"mnuActionItem", 2, std::string(kPowerActions[2].menuCaption), "mnuAction"},
      {"mnuActionItem", 3, std::string(kPowerActions[3].menuCaption), "mnuAction"},
      {"mnuActionItem", 4, std::string(kPowerActions[4].menuCaption), "mnuAction"},
      {"mnuView", 0, "View"},
      {"mnuPowerOptions", 0, "Power Options", "mnuView"},
      {"mnuLanguage", 0, "Languages"},
      {"mnuLanguageItem", 0, "Change Language", "mnuLanguage"},
      {"mnuHelp", 0, "Help"},
      {"mnuHelpItem", 0, "View Help", "mnuHelp"},
      {"mnuAbout", 0, "About"},
      {"mnuAboutItem", 0, "About this software", "mnuAbout"},
      {"mnuTray", {}, "Tray", "", menuopt::kHidden},
      {"mnuTrayItem", 0, "Open", "mnuTray"},
      {"mnuTrayItem", 1, "Hide Menu", "mnuTray"},
      {"mnuTrayItem", 2, "-", "mnuTray"},
      {"mnuTrayItem", 3, "Exit", "mnuTray"},
  });
  bindEvents({
      {"cmdNewSchedule", Event::Click, &frmMain::cmdNewSchedule_Click},
      {"cmdEdit", Event::Click, &frmMain::cmdEdit_Click},
      {"cmdDelete", Event::Click, &frmMain::cmdDelete_Click},
      {"cmdGo", Event::Click, &frmMain::cmdGo_Click},
      {"cmdPower", Event::Click, &frmMain::cmdPower_Click},
      {"cmdWebsite", Event::Click, &frmMain::cmdWebsite_Click},
      {"chkLowPower", Event::Click, &frmMain::chkLowPower_Click},
      {"chkPrevent", Event::Click, &frmMain::chkPrevent_Click},
      {"cbShutdown", Event::KeyPress, &frmMain::cbShutdown_KeyPress},
      {"lstSchedules", Event::ItemClick, &frmMain::lstSchedules_ItemClick},
      {"mnuFileItem", Event::Click, &frmMain::mnuFileItem_Click},
      {"mnuActionItem", Event::Click, &frmMain::mnuActionItem_Click},
      {"mnuPowerOptions", Event::Click, &frmMain::mnuPowerOptions_Click},
      {"mnuLanguageItem", Event::Click, &frmMain::mnuLanguageItem_Click},
      {"mnuHelpItem", Event::Click, &frmMain::mnuHelpItem_Click},
      {"mnuAboutItem", Event::Click, &frmMain::mnuAboutItem_Click},
      {"mnuTrayItem", Event::Click, &frmMain::mnuTrayItem_Click},
      {"tmrScheduler", Event::Timer, &frmMain::tmrScheduler_Timer},
      {"tmrProcessSchedule", Event::Timer, &frmMain::tmrProcessSchedule_Timer},
      {"timSchedule", Event::Timer, &frmMain::timSchedule_Timer},
      {"tmrTrayIcon", Event::Timer, &frmMain::tmrTrayIcon_Timer},
  });
  for (const char* column :
       {"Schedule Name", "Type", "Last Run Time", "Next Run Time", "Enabled"}) {
    lstSchedules.addColumn(column, 2500);
  }
  for (const QuickDelay& d : kQuickScheduleItems) delays_.push_back(d.item);
  lstSchedules.setRowSource([this](int row, int column) -> std::string {
    const ScheduleList& list = app_.schedules.list();
    if (row < 0 || static_cast<std::size_t>(row) >= list.count()) return {};
    const std::string& text = list.column(static_cast<std::size_t>(row), column);
    if (column == ScheduleList::kType || column == ScheduleList::kEnabled) {
      return displayText(app_.languages, text);
    }
    return text;
  });
  hookMessage(kExitLaterMessage, [this](std::uintptr_t, std::intptr_t) {
    exitProgram();
    return std::optional<std::intptr_t>(0);
  });
}

frmMain::~frmMain() = default;

// ---- load and unload ---------------------------------------------------------------------

void frmMain::Form_Load() {
  // The order below is the program's start-up order; a second instance leaves first,
  // touching nothing.
  if (guard_.anotherInstanceRuns()) {
    endedAtLoad_ = true;
    ExitRequested = true;
    unload();
    return;
  }
  // The delays of the quick schedule belong to the design; "Now" first.
  showCodes(cmbTime, delays_, app_.languages);
  // The list view follows the list while this window shows it.
  app_.schedules.list().setOnChange([this](const ListChange& change) {
    if (reloading_ || !lstSchedules.created()) return;
    if (change.kind == ListChange::Kind::Updated) {
      SendMessageW(lstSchedules.hwnd(), LVM_REDRAWITEMS, change.index, change.index);
      return;
    }
    // An entry taken out (by the command line, or a condition cancelled in its countdown)
    // moves the rows below it: the selected row would name another, which Delete would
    // then delete.
    if (change.kind == ListChange::Kind::Removed || change.kind == ListChange::Kind::Reset) {
      lstSchedules.setSelectedRow(std::nullopt);
      disableItemCommands();
    }
    lstSchedules.setRowCount(static_cast<int>(app_.schedules.list().count()));
  });
  // The pause switched from the command line shows in its box.
  app_.schedules.setOnPausedChange([this](bool on) {
    if (chkPrevent.checked() != on) chkPrevent.setValue(on ? 1 : 0);
  });
  // The scan timer runs from the start; the engine must be there for its first tick.
  app_.schedules.start(
      {tmrScheduler, tmrProcessSchedule, timSchedule, *this, handle()});
  app_.schedules.setShowCountdown([this] {
    if (windows_.countdown) windows_.countdown();
  });
  // "Prevent any schedules from running" as an administrator set it: shown, not changed.
  if (app_.schedules.pauseSetByPolicy()) {
    chkPrevent.setValue(app_.schedules.paused() ? 1 : 0);
    chkPrevent.setEnabled(false);
  }

  // Whether a language was ever chosen.
  const std::string chosenLanguage = app_.options.get(Setting::Language, "");
  cmdWebsite.setCaption("Visit " + app_.identity.Website);
  // The catalogue, its built-in texts, and this window in the language in effect.
  app_.languages.reset();

  SetDefaultMessages(app_.languages);
  addDisplayTexts(app_.languages, displayedCodes());
  app_.languages.ChangeLanguage(*this, app_.options.get(Setting::Language));
  // The very first start asks for the language; a start in the tray asks nobody.
  if (chosenLanguage.empty() && !app_.startedInTray && windows_.language) windows_.language(true);
  setCaption(message("MSG_TITLE"));
  loadData();
  fillActionList();
  app_.schedules.power();
  // The tray timer's own work puts the icon in place.
  tray_ = std::make_unique<win32::TrayIconHost>(
      *this, tmrTrayIcon, app_.identity.ProgramName,
      win32::TrayIconHost::Actions{.showMenu = [this] { popupMenu(menu("mnuTray")); },
                                   .showWindow = [this] { trayShowWindow(); }});
  tmrTrayIcon_Timer();
  ensureDataFolder(app_.fs, app_.programFolder);
  restoreColumnWidths();
  if (app_.skin) app_.skin(*this, gui::LabelCopies::All);
  // The help, once, on the first English start that shows the window.
  if (!app_.startedInTray && app_.options.get(Setting::showHelp) == "1") {
    if (app_.options.get(Setting::Language) == "English") openHelpLauncher();
    app_.options.set(Setting::showHelp, "0");
  }
  // Started in the tray (by the setting, or by the command line before the load): minimised
  // and hidden until opened from there.
  if (app_.startedInTray || app_.options.ticked(Setting::chkMin)) {
    setWindowState(gui::WindowState::Minimized);
    hide();
    app_.startedInTray = true;
  }
  Form_Resize();
}

void frmMain::fillActionList() {
  cbShutdown.clear();
  actions_ = offeredActionNames(modPower::HibernateAvailable(app_.fs));
  showCodes(cbShutdown, actions_, app_.languages);
}

void frmMain::languageApplied() {
  // The window's own texts are translated by now; the lists it fills itself follow.
  showCodes(cmbTime, delays_, app_.languages);
  showCodes(cbShutdown, actions_, app_.languages);
  lstSchedules.refresh();
}

void frmMain::restoreColumnWidths() {
  for (int i = 1; i <= lstSchedules.columnCount(); ++i) {
    if (auto width = columnWidthFromText(app_.options.columnWidth(i))) {
      lstSchedules.setColumnWidth(i, *width);
    }
  }
}

void frmMain::storeColumnWidths() {
  for (int i = 1; i <= lstSchedules.columnCount(); ++i) {
    ignoreErrors([&] {
      app_.options.setColumnWidth(
          i, columnWidthText(static_cast<float>(lstSchedules.columnWidth(i))));
    });
  }
}

void frmMain::Form_Resize() {
  if (windowState() == gui::WindowState::Minimized) return;
  const int w = width();
  const int h = height();
  cmdWebsite.setWidth(std::abs(w - cmdWebsite.left() - 200));
  lstSchedules.setWidth(std::abs(w - lstSchedules.left() - 200));
  lstSchedules.setHeight(std::abs(h - lstSchedules.top() - 1000));
}

void frmMain::Form_QueryUnload(bool& cancel, gui::UnloadMode mode) {
  if (endedAtLoad_) return;
  // Windows ending the session and the task manager end the program whatever the settings.
  // The session's end may yet be cancelled, so it asks without deciding the next close.
  if (mode == gui::UnloadMode::AppWindows) return;
  if (mode == gui::UnloadMode::AppTaskManager) ExitRequested = true;
  if (ExitRequested) return;
  ignoreErrors([&] { hide(); });
  bool alwaysExit = false;
  ignoreErrors([&] { alwaysExit = app_.options.get(Setting::chkAlwaysExit) != "0"; });
  if (alwaysExit) return;
  ignoreErrors([&] {
    if (app_.options.get(Setting::chkNoShow) == "0" && windows_.stillRunning) {
      windows_.stillRunning();
    }
  });
  cancel = true;
}

void frmMain::Form_Unload(bool&) {
  if (endedAtLoad_) return;
  ignoreErrors([&] { unloadOtherWindows(); });
  // The engine, the wake timer and CPower go with the program.
  ignoreErrors([&] {
    app_.schedules.stop();
    app_.schedules.list().setOnChange({});
    app_.schedules.setOnPausedChange({});
  });
  storeColumnWidths();
  ignoreErrors([&] {
    if (tray_) tray_->icon().remove();
  });
  tray_.reset();
  // The program ends when its last window has gone (gui::run).
}

void frmMain::unloadOtherWindows() {
  const std::vector<gui::Form*> others = forms().list();
  for (gui::Form* f : others) {
    // A window may have gone with another one's unload.
    const auto& now = forms().list();
    if (f == this || std::find(now.begin(), now.end(), f) == now.end()) continue;
    ignoreErrors([&] { f->unload(); });
  }
}

// ---- the list ----------------------------------------------------------------------------

void frmMain::loadData() {
  reloading_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{reloading_};
  app_.schedules.reload();
  if (lstSchedules.created()) {
    lstSchedules.setSelectedRow(std::nullopt);
    lstSchedules.setRowCount(static_cast<int>(app_.schedules.list().count()));
  }
}

void frmMain::lstSchedules_ItemClick(int row) {
  const ScheduleList& list = app_.schedules.list();
  if (row < 0 || static_cast<std::size_t>(row) >= list.count()) return;
  const ScheduleEntry& entry = list.at(static_cast<std::size_t>(row));
  auto fromEntry = [&entry](ScheduleRecord& r) {
    r.Name = entry.text;
    r.ItemType = entry.type;
    r.LastRunTime = entry.lastRunTime;
    r.Enabled = entry.enabled == kEnabledYes;
  };
  enableItemCommands();
  auto editable = [this](bool on) {
    cmdEdit.setEnabled(on);
    menu("mnuFileItem", 1).setEnabled(on);
  };
  if (!FileExists(app_.fs, scheduleFilePath(app_.programFolder, entry.text))) {
    // A quick entry has no file to edit, but it can be deleted.
    fromEntry(CurrentSchedule);
    editable(false);
    return;
  }
  const Result<ScheduleRecord> file =
      readScheduleFile(app_.fs, app_.codec, app_.programFolder, entry.text);
  if (!file) {
    // Another schedule's times must not stay behind under this name: Edit then OK would
    // write them into this schedule's file.
    CurrentSchedule = {};
    fromEntry(CurrentSchedule);
    editable(false);
    app_.dialogs.messageBox(file.error().message(), app_.identity.ProgramName, MsgButtons::Ok,
                            MsgIcon::Error);
    return;
  }
  CurrentSchedule = *file;
  fromEntry(CurrentSchedule);
}

void frmMain::enableItemCommands() {
  cmdDelete.setEnabled(true);
  cmdEdit.setEnabled(true);
  menu("mnuFileItem", 1).setEnabled(true);
  menu("mnuFileItem", 2).setEnabled(true);
}

void frmMain::disableItemCommands() {
  cmdDelete.setEnabled(false);
  cmdEdit.setEnabled(false);
  menu("mnuFileItem", 1).setEnabled(false);
  menu("mnuFileItem", 2).setEnabled(false);
}

// ---- commands ----------------------------------------------------------------------------

bool frmMain::schedulesLocked() {
  if (!app_.options.policy().schedulesLocked()) return false;
  app_.dialogs.messageBox(message("MSG_LOCKED"), app_.identity.ProgramName, MsgButtons::Ok,
                          MsgIcon::Information);
  return true;
}

void frmMain::cmdNewSchedule_Click() {
  if (schedulesLocked()) return;
  if (windows_.wizard) windows_.wizard(std::nullopt);
}

void frmMain::cmdEdit_Click() {
  if (schedulesLocked()) return;
  if (windows_.wizard) windows_.wizard(CurrentSchedule);
}

void frmMain::exitProgram() {
  ExitRequested = true;
  unload();
}

void frmMain::exitProgramLater() {
  if (loaded()) PostMessageW(hwnd(), kExitLaterMessage, 0, 0);
}

void frmMain::cmdDelete_Click() {
  const std::optional<int> row = lstSchedules.selectedRow();
  const ScheduleList& list = app_.schedules.list();
  if (!row || static_cast<std::size_t>(*row) >= list.count()) return;
  const std::string name = list.at(static_cast<std::size_t>(*row)).text;
  if (schedulesLocked()) return;
  if (app_.dialogs.messageBox(message("MSG_DELETE"), "Really delete?",
                                       MsgButtons::YesNo) != MsgResult::Yes) {
    return;
  }
  // A file that stays must not look deleted: the user hears why it is still listed.
  if (const Status failed = app_.schedules.deleteSchedule(name, ChangeSource::MainWindow)) {
    app_.dialogs.messageBox(failed->message(), app_.identity.ProgramName, MsgButtons::Ok,
                            MsgIcon::Error);
  }
  loadData();
  disableItemCommands();
}

void frmMain::cmdGo_Click() {
  const std::string delay = chosenCode(cmbTime, delays_);
  const std::string action = chosenCode(cbShutdown, actions_);
  if (opensCondition(delay)) {
    if (windows_.condition) windows_.condition(action);
    return;
  }
  app_.schedules.quickSchedule(delay, action);
}

void frmMain::cbShutdown_KeyPress(int& keyAscii) {
  if (keyAscii == 13) cmdGo_Click();
}

void frmMain::chkLowPower_Click() { app_.schedules.power().DisableSuspend(chkLowPower.value() == 1); }

void frmMain::chkPrevent_Click() { app_.schedules.setPaused(chkPrevent.checked()); }

void frmMain::cmdPower_Click() {
  app_.shell.startProcess(std::string(kPowerOptionsCommand));
}

void frmMain::cmdWebsite_Click() {
  if (windows_.website) {
    windows_.website();
    return;
  }
  app_.shell.execute(handle(), "open", "http://" + app_.identity.Website, "", "",
                              kSwShowNormal);
}

void frmMain::mnuFileItem_Click(int index) {
  switch (index) {
    case 0:
      cmdNewSchedule_Click();
      break;
    case 1:
      cmdEdit_Click();
      break;
    case 2:
      cmdDelete_Click();
      break;
    case 4:
      if (windows_.options) windows_.options();
      break;
    case 6:
      exitProgram();
      break;
    default:
      break;
  }
}

void frmMain::mnuActionItem_Click(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kPowerActions.size()) return;
  // The same confirmation and forced action as the quick schedule's "Now".
  app_.schedules.quickSchedule("Now", std::string(kPowerActions[index].name));
}

void frmMain::mnuPowerOptions_Click(int) { cmdPower_Click(); }

void frmMain::mnuLanguageItem_Click(int) {
  if (windows_.language) windows_.language(false);
}

void frmMain::mnuHelpItem_Click(int) { openHelpLauncher(); }

void frmMain::mnuAboutItem_Click(int) {
  if (windows_.about) windows_.about();
}

void frmMain::openHelpLauncher() {
  if (windows_.helpLauncher) {
    windows_.helpLauncher();
    return;
  }
  Form8 launcher({app_.fs, app_.shell, app_.options, app_.programFolder});
  gui::doEvents(forms());
}  // the launcher unloads here

void frmMain::makeLocalizationFile() {
  app_.languages.makeLocalizationFile(
      [this] {
        std::vector<TranslatableWindow*> windows;
        for (gui::Form* f : forms()) windows.push_back(f);
        return windows;
      },
      windows_.loadWizardForTemplate);
}

std::string frmMain::message(const std::string& key) const {
  return app_.languages.getMessages(key);
}

// ---- timers and the tray -----------------------------------------------------------------

void frmMain::tmrScheduler_Timer() {
  if (Scheduler* s = scheduler()) s->tmrScheduler_Timer();
}

void frmMain::tmrProcessSchedule_Timer() {
  if (Scheduler* s = scheduler()) s->tmrProcessSchedule_Timer();
}

void frmMain::timSchedule_Timer() {
  if (Scheduler* s = scheduler()) s->timSchedule_Timer();
}

void frmMain::tmrTrayIcon_Timer() {
  if (tray_) tray_->icon().refresh();
}

void frmMain::trayShowWindow() {
  if (!visible()) show();
  activate();
}

void frmMain::mnuTrayItem_Click(int index) {
  switch (index) {
    case 0:
      if (!visible()) {
        setWindowState(gui::WindowState::Maximized);
        show();
      }
      activate();
      break;
    case 3:
      exitProgram();
      break;
    default:  // "Hide Menu" only closes the menu
      break;
  }
}

}  // namespace quenmark
