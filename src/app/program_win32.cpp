#include "app/program_win32.h"

#include "platform/win32/text_win32.h"
#include "base/product_identity.h"

namespace quenmark::win32 {

MainWindowContext mainWindowContext(AppContext& app) {
  const Platform& p = app.platform;
  return {p.fs,         p.codec,          p.clock,       p.regional,           p.dialogs,
          p.power,      p.shell,          app.identity,  app.settings,         app.languages,
          app.CurrentLanguage, app.StartedInTray, app.programFolder};
}

WizardContext wizardContext(AppContext& app) {
  const Platform& p = app.platform;
  return {p.fs,          p.codec,         p.clock,        p.regional,
          p.dialogs,     app.languages,   app.CurrentLanguage, app.identity,
          app.programFolder};
}

WebWindowContext webWindowContext(AppContext& app) {
  return {app.identity, app.platform.versionInfo, {}};
}

std::string runningProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return narrow(path.substr(0, path.find_last_of(L"\\/")));
}

Program::Program(std::string programFolder, bool singleInstance)
    : app_({fs_, codec_, clock_, regional_, dialogs_, registry_, power_, shell_, versionInfo_},
           std::move(programFolder)),
      singleInstance_(singleInstance) {
  // A fault in a handler is reported and the program goes on: the scheduler must survive.
  forms_.setErrorHandler([this](const std::string& message) {
    dialogs_.messageBox(message, app_.identity.ProgramName, MsgButtons::Ok, MsgIcon::Error);
  });
}

Program::~Program() {
  if (main_ && main_->loaded()) main_->exitProgram();
}

bool Program::start() {
  InitProductIdentity(app_.identity, versionInfo_);
  if (singleInstance_) {
    auto guard = std::make_unique<NamedMutexGuard>(
        instanceMutexName(app_.identity.CompanyName, app_.identity.ProgramName));
    if (guard->anotherInstanceRuns()) return false;
    guard_ = std::move(guard);
  } else {
    guard_ = std::make_unique<NoInstanceGuard>();
  }
  main_ = std::make_unique<frmMain>(forms_, mainWindowContext(app_), windows_, *guard_);
  wizard_ = std::make_unique<frmWizard>(forms_, wizardContext(app_), *main_);
  windows_.wizard = [this](const std::optional<ScheduleRecord>& toEdit) { wizard_->open(toEdit); };
  windows_.loadWizardForTemplate = [this] { LoadWizardForTemplate(*wizard_); };
  website_ = std::make_unique<frmWebsite>(forms_, webWindowContext(app_));
  windows_.website = [this] { website_->open(); };
  try {
    main_->load();
  } catch (const std::exception& e) {
    forms_.reportError(std::string("frmMain: ") + e.what());
  }
  if (!main_->loaded()) return false;
  if (!app_.StartedInTray) main_->show();
  return true;
}

int Program::run() { return gui::run(forms_); }

}  // namespace quenmark::win32
