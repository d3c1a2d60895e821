#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/command_line_win32.h"
#include "core/program/app_context.h"
#include "windows/app_windows.h"
#include "platform/win32/instance_guard_win32.h"
#include "platform/win32/module_path_win32.h"
#include "windows/main_window.h"
#include "windows/wizard_window.h"
#include "gui/forms.h"
#include "windows/language_window.h"
#include "gui/web_browser.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/event_log_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/http_win32.h"
#include "platform/win32/meters_win32.h"
#include "platform/win32/power_api_win32.h"
#include "platform/win32/regional_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/version_info_win32.h"
#include "windows/options_window.h"
#include "windows/about_window.h"
#include "windows/condition_window.h"
#include "windows/countdown_window.h"
#include "windows/skin_window.h"
#include "windows/splash_window.h"
#include "windows/still_running_window.h"
#include "windows/web_window.h"

namespace quenmark::win32 {

// The contexts of the windows, made from the program-wide parts; `skin` is what each window's
// load calls to be skinned (nothing when empty).
MainWindowContext mainWindowContext(AppContext& app, gui::SkinHook skin = {});
WizardContext wizardContext(AppContext& app, gui::SkinHook skin = {});
OptionsContext optionsContext(AppContext& app, gui::SkinHook skin = {});
CountdownContext countdownContext(AppContext& app, gui::SkinHook skin = {});
ConditionContext conditionContext(AppContext& app, gui::SkinHook skin = {});
// The language window translates `main` when the user picks a language.
LanguageWindowContext languageContext(AppContext& app, Http& http, frmMain& main,
                                      gui::SkinHook skin = {});
AboutContext aboutContext(AppContext& app, gui::SkinHook skin = {});
// The notice ends the program through `main`.
StillRunningContext stillRunningContext(AppContext& app, frmMain& main, gui::SkinHook skin = {});
WebWindowContext webWindowContext(AppContext& app, gui::SkinHook skin = {});

// The folder of the running program, without a final "\".
std::string runningProgramFolder();

// The Win32 implementations of the seams, as WinMain hands them to the program.
struct Win32Seams {
  Win32FileSystem fs;
  AnsiCodec codec;
  Win32Clock clock;
  Win32Regional regional;
  Win32Dialogs dialogs;
  Win32Registry registry;
  Win32PowerApi power;
  Win32Shell shell;
  FileVersionInfo versionInfo;
  WinInetHttp http;
  Win32EventLog events{kEventSource};
  Win32Meters meters;

  Platform platform() {
    return {fs, codec, clock, regional, dialogs, registry, power, shell, versionInfo, events,
            meters};
  }
};

// The program as WinMain starts it: the app context for a program folder over the seams it
// is given, the single-instance guard, every window built once with its context (the splash
// and main windows at the start, the others when they first open), and the start through
// the splash window. A benchmark or a test starts it in-process in a folder of
// its own, with fakes for the seams it must not reach for real (power calls, message boxes).
class Program {
 public:
  // `singleInstance` false skips the named mutex, so that a program already running does
  // not stop an in-process start.
  Program(Platform seams, Http& http, std::string programFolder, bool singleInstance = true);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The other windows, to be filled before start().
  AppWindows& windows() { return windows_; }

  // Reads the identity and, unless another instance runs (false: nothing is loaded then),
  // starts the splash window, shown or, as the user chose, hidden; its countdown opens the
  // main window. `inTray` (the command line's /tray) keeps both unseen, as a start
  // minimised to the tray does, and asks nothing.
  bool start(bool inTray = false);
  // Lets messages run until the main window is loaded or `timeout` has passed.
  bool waitForMainWindow(std::chrono::milliseconds timeout);
  // The message loop, until the last window has gone.
  int run();

  AppContext& app() { return app_; }
  gui::Forms& forms() { return forms_; }
  frmMain* mainWindow() { return main_.get(); }
  frmSplash* splashWindow() { return splash_.get(); }
  // The skin engine while the splash window is loaded with skinning on.
  gui::SkinObject* skin() { return skinObject_; }

 private:
  // The splash window's countdown has run out.
  void showMainWindow();
  // A request of the command line, carried out while the main window is loaded.
  cli::Reply answer(const cli::Request& request);

  AppContext app_;
  Http& http_;
  bool singleInstance_;
  std::unique_ptr<InstanceGuard> guard_;
  AppWindows windows_;
  gui::Forms forms_;
  gui::SkinObject* skinObject_ = nullptr;  // the engine, published by the splash window
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<SkinServices> skin_;
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmWizard> wizard_;  // goes before the main window it reports to
  std::unique_ptr<frmOptions> options_;
  std::unique_ptr<frmLanguage> language_;  // goes before the main window it translates
  std::unique_ptr<frmAbout> about_;
  std::unique_ptr<frmStillRunning> stillRunning_;
  std::unique_ptr<frmWebsite> website_;
  std::unique_ptr<frmCountdown> countdown_;
  // Takes the command line's requests while the main window is loaded; the single instance
  // alone has one, so that tests starting programs side by side stay apart.
  std::unique_ptr<CommandReceiver> receiver_;
  std::unique_ptr<frmCondition> condition_;
};

}  // namespace quenmark::win32
