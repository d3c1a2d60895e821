#include "app/program_win32.h"

#include "platform/win32/text_win32.h"
#include "base/product_identity.h"
#include "core/cli/run_request.h"

namespace quenmark::win32 {

MainWindowContext mainWindowContext(AppContext& app, gui::SkinHook skin) {
  const Platform& p = app.platform;
  return {p.fs,           p.codec,         p.clock,
          p.regional,     p.dialogs,       p.shell,
          app.identity,   app.options,     app.schedules,
          app.languages,  app.StartedInTray,
          app.programFolder, std::move(skin)};
}

WizardContext wizardContext(AppContext& app, gui::SkinHook skin) {
  const Platform& p = app.platform;
  return {p.fs,          p.codec,         p.clock,        p.regional,
          p.dialogs,     app.languages,   app.identity,
          app.programFolder, app.schedules, std::move(skin)};
}

OptionsContext optionsContext(AppContext& app, gui::SkinHook skin) {
  const Platform& p = app.platform;
  return {app.options,
          p.registry,
          p.dialogs,
          p.codec,
          app.languages,
          runningModulePath(),
          std::move(skin),
          [&power = p.power] { return power.wakeTimersAllowed(); }};
}

CountdownContext countdownContext(AppContext& app, gui::SkinHook skin) {
  ScheduleService& schedules = app.schedules;
  return {app.platform.clock,
          app.languages,
          app.identity.ProgramName,
          [&schedules] { return schedules.countdown(); },
          [&schedules](CountdownAnswer answer) { schedules.answerCountdown(answer); },
          std::move(skin)};
}

ConditionContext conditionContext(AppContext& app, gui::SkinHook skin) {
  const Platform& p = app.platform;
  return {app.languages,
          p.dialogs,
          app.identity.ProgramName,
          [&meters = p.meters] { return meters.runningPrograms(true); },
          [&meters = p.meters] { return meters.battery().present; },
          [&fs = p.fs] { return offeredActionNames(modPower::HibernateAvailable(fs)); },
          [&schedules = app.schedules](const Condition& c, const std::string& action) {
            schedules.whenCondition(c, action);
          },
          std::move(skin)};
}

AboutContext aboutContext(AppContext& app, gui::SkinHook skin) {
  return {app.identity, app.platform.versionInfo, app.languages,
          std::move(skin)};
}

StillRunningContext stillRunningContext(AppContext& app, frmMain& main, gui::SkinHook skin) {
  return {app.options, app.languages, [&main] { main.exitProgramLater(); },
          std::move(skin)};
}

LanguageWindowContext languageContext(AppContext& app, Http& http, frmMain& main,
                                      gui::SkinHook skin) {
  const Platform& p = app.platform;
  return {p.fs,
          p.dialogs,
          p.shell,
          http,
          app.options,
          app.languages,
          app.identity,
          app.programFolder,
          [&app, &main](const std::string& language) {
            app.languages.ChangeLanguage(main, language);
          },
          std::move(skin)};
}

WebWindowContext webWindowContext(AppContext& app, gui::SkinHook skin) {
  return {app.identity, app.platform.versionInfo, std::move(skin)};
}

namespace {

template <class Window, class Make>
Window& built(std::unique_ptr<Window>& window, Make make) {
  if (!window) window = make();
  return *window;
}

}  // namespace

std::string runningProgramFolder() {
  const std::string path = runningModulePath();
  if (path.empty()) return ".";
  return path.substr(0, path.find_last_of("\\/"));
}

Program::Program(Platform seams, Http& http, std::string programFolder, bool singleInstance)
    : app_(seams, std::move(programFolder)), http_(http), singleInstance_(singleInstance) {
  // A fault in a handler is reported and the program goes on: the scheduler must survive.
  forms_.setErrorHandler([this](const std::string& message) {
    app_.platform.dialogs.messageBox(message, app_.identity.ProgramName, MsgButtons::Ok,
                                     MsgIcon::Error);
  });
}

Program::~Program() {
  if (main_ && main_->loaded()) main_->exitProgram();
  if (splash_ && splash_->loaded()) splash_->unload();
}

bool Program::start(bool inTray) {
  InitProductIdentity(app_.identity, app_.platform.versionInfo);
  if (singleInstance_) {
    auto guard = std::make_unique<NamedMutexGuard>(
        instanceMutexName(app_.identity.CompanyName, app_.identity.ProgramName));
    if (guard->anotherInstanceRuns()) return false;
    guard_ = std::move(guard);
  } else {
    guard_ = std::make_unique<NoInstanceGuard>();
  }
  splash_ = std::make_unique<frmSplash>(
      forms_, SplashContext{app_.identity, app_.platform.versionInfo, skinObject_,
                            [this](gui::Form& splash) {
                              if (app_.identity.SkinEnabled) SkinWindow(splash, *skin_);
                            },
                            [this] { showMainWindow(); }});
  skin_ = std::make_unique<SkinServices>(SkinServices{app_.identity, skinObject_, *splash_});
  const gui::SkinHook skin = skinHook(*skin_);
  main_ = std::make_unique<frmMain>(forms_, mainWindowContext(app_, skin), windows_, *guard_);
  // The other windows are built when they first open, and kept: a start builds what it shows.
  auto wizard = [this, skin]() -> frmWizard& {
    return built(wizard_,
                 [&] { return std::make_unique<frmWizard>(forms_, wizardContext(app_, skin)); });
  };
  windows_.wizard = [wizard](const std::optional<ScheduleRecord>& toEdit) {
    wizard().open(toEdit);
  };
  windows_.loadWizardForTemplate = [wizard] { LoadWizardForTemplate(wizard()); };
  windows_.options = [this, skin] {
    built(options_, [&] {
      return std::make_unique<frmOptions>(forms_, optionsContext(app_, skin));
    }).open();
  };
  windows_.language = [this, skin](bool modal) {
    built(language_, [&] {
      return std::make_unique<frmLanguage>(forms_, languageContext(app_, http_, *main_, skin));
    }).open(modal);
  };
  windows_.about = [this, skin] {
    built(about_, [&] { return std::make_unique<frmAbout>(forms_, aboutContext(app_, skin)); })
        .open();
  };
  windows_.stillRunning = [this, skin] {
    built(stillRunning_, [&] {
      return std::make_unique<frmStillRunning>(forms_, stillRunningContext(app_, *main_, skin));
    }).open();
  };
  windows_.website = [this, skin] {
    built(website_, [&] {
      return std::make_unique<frmWebsite>(forms_, webWindowContext(app_, skin));
    }).open();
  };
  windows_.countdown = [this, skin] {
    built(countdown_, [&] {
      return std::make_unique<frmCountdown>(forms_, countdownContext(app_, skin));
    }).open();
  };
  windows_.condition = [this, skin](const std::string& action) {
    built(condition_, [&] {
      return std::make_unique<frmCondition>(forms_, conditionContext(app_, skin));
    }).open(action);
  };
  // Read by the main window's load: it starts hidden, as with "chkMin".
  if (inTray) app_.StartedInTray = true;
  // "Don't show the splash screen": it still starts everything, unseen.
  try {
    if (inTray || app_.options.ticked(Setting::chkSplash)) {
      splash_->load();
    } else {
      splash_->show();
    }
  } catch (const std::exception& e) {
    forms_.reportError(std::string("frmSplash: ") + e.what());
  }
  return splash_->loaded();
}

void Program::showMainWindow() {
  try {
    main_->load();
  } catch (const std::exception& e) {
    forms_.reportError(std::string("frmMain: ") + e.what());
  }
  // Without its main window the program has nothing to run: the splash window goes too.
  if (!main_->loaded()) {
    splash_->unload();
    return;
  }
  if (singleInstance_) {
    receiver_ = std::make_unique<CommandReceiver>(
        instanceMutexName(app_.identity.CompanyName, app_.identity.ProgramName),
        [this](const cli::Request& request) { return answer(request); });
  }
  if (!app_.StartedInTray) main_->show();
}

cli::Reply Program::answer(const cli::Request& request) {
  const MessageLookup message = [this](const std::string& key) {
    return app_.languages.getMessages(key);
  };
  if (!main_->loaded()) {
    return {cli::ExitCode::NotRunning,
            cli::exitCodeText(cli::ExitCode::NotRunning, message) + "\r\n"};
  }
  return cli::runRequest(request, app_.commands, message);
}

bool Program::waitForMainWindow(std::chrono::milliseconds timeout) {
  const auto until = std::chrono::steady_clock::now() + timeout;
  while (!(main_ && main_->loaded()) && std::chrono::steady_clock::now() < until) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
  return main_ && main_->loaded();
}

int Program::run() { return gui::run(forms_); }

}  // namespace quenmark::win32
