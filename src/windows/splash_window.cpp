#include "windows/splash_window.h"

#include <chrono>
#include <thread>

#include "base/product_identity.h"
#include "base/timer_intervals.h"

namespace quenmark {

using gui::Event;
using gui::Kind;

namespace {

// The last value of the countdown before the main window opens: the 75th tick.
constexpr std::int16_t kLastCount = 148;

}  // namespace

frmSplash::frmSplash(gui::Forms& forms, SplashContext context)
    : gui::Form(forms, "frmSplash",
                {.caption = "", .width = 6600, .height = 2700, .style = gui::formstyle::kSplash}),
      Timer2(*this, "Timer2", kSplashTickMs, false),
      app_(std::move(context)) {
  // The picture fills a band on the left; the text stands beside it.
  addControls({
      {Kind::PictureBox, "Image1", {}, "", 0, 0, 1800, 2700, "", 0, Image1},
      {Kind::Label, "Label3", {}, "", 2160, 600, 4140, 1500, "", 0, Label3},
  });
  bindEvents({{"Timer2", Event::Timer, &frmSplash::Timer2_Timer}});
}

frmSplash::~frmSplash() {
  if (app_.SkinObject == skn.get()) app_.SkinObject = nullptr;
}

void frmSplash::Form_Load() {
  InitProductIdentity(app_.identity, app_.versionInfo);
  Image1.setPicture(static_cast<HICON>(
      LoadImageW(forms().instance(), MAKEINTRESOURCEW(1), IMAGE_ICON, 48, 48, LR_SHARED)));
  Label3.setCaption(app_.identity.ProgramName + "\r\n\r\nPower schedules for Windows: shut down, "
                    "reboot, log off, stand by or hibernate on time.");
  setCaption(app_.identity.ProgramName);
  if (app_.identity.SkinEnabled) {
    // A change of Windows' colours colours every skinned window again as its load did.
    skn = std::make_unique<gui::SkinObject>(forms(), app_.skin);
    app_.SkinObject = skn.get();
    if (app_.skin) app_.skin(*this);
  }
  Timer2.setEnabled(true);
}

void frmSplash::Form_Unload(bool&) {
  if (app_.SkinObject == skn.get()) app_.SkinObject = nullptr;
  skn.reset();
}

void frmSplash::Timer2_Timer() {
  const std::int16_t old = intTemp;
  intTemp = static_cast<std::int16_t>(old + 2);
  if (old != kLastCount) return;
  Timer2.setEnabled(false);
  if (app_.showMainWindow) app_.showMainWindow();
  hide();
}

void frmSplash::startEngineOnly() {
  if (!loaded()) load();
  // The load enables the countdown itself; a load that never does is not waited for long.
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!Timer2.enabled() && std::chrono::steady_clock::now() < until) {
    gui::doEvents(forms());
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  Timer2.setEnabled(false);
  hide();
}

}  // namespace quenmark
