#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/app_context.h"
#include "app/app_windows.h"
#include "app/instance_guard_win32.h"
#include "app/main_window.h"
#include "editor/wizard_window.h"
#include "gui/forms.h"
#include "gui/web_browser.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/power_api_win32.h"
#include "platform/win32/regional_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/text_codec_win32.h"
#include "platform/win32/version_info_win32.h"
#include "ui/web_window.h"

namespace quenmark::win32 {

// The contexts of the windows, made from the program-wide parts.
MainWindowContext mainWindowContext(AppContext& app);
WizardContext wizardContext(AppContext& app);
WebWindowContext webWindowContext(AppContext& app);

// The folder of the running program, without a final "\".
std::string runningProgramFolder();

// The program as WinMain starts it: the Win32 seams, the app context for a program folder,
// the single-instance guard, the loaded windows and the main window. A benchmark or a test
// can start it in-process in a folder of its own.
class Program {
 public:
  // `singleInstance` false skips the named mutex, so that a program already running does
  // not stop an in-process start.
  explicit Program(std::string programFolder, bool singleInstance = true);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The other windows, to be filled before start().
  AppWindows& windows() { return windows_; }

  // Reads the identity, then loads the main window and shows it unless it starts in the
  // tray. False when another instance runs: nothing is loaded then.
  bool start();
  // The message loop, until the last window has gone.
  int run();

  AppContext& app() { return app_; }
  gui::Forms& forms() { return forms_; }
  frmMain* mainWindow() { return main_.get(); }

 private:
  gui::OleSession ole_;  // first in, last out: the web window's browser needs OLE
  Win32FileSystem fs_;
  AnsiCodec codec_;
  Win32Clock clock_;
  Win32Regional regional_;
  Win32Dialogs dialogs_;
  Win32Registry registry_;
  Win32PowerApi power_;
  Win32Shell shell_;
  FileVersionInfo versionInfo_;
  AppContext app_;
  bool singleInstance_;
  std::unique_ptr<InstanceGuard> guard_;
  AppWindows windows_;
  gui::Forms forms_;
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmWizard> wizard_;  // goes before the main window it reports to
  std::unique_ptr<frmWebsite> website_;
};

}  // namespace quenmark::win32
