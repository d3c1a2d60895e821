#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/identity.h"
#include "gui/form.h"
#include "gui/skin.h"
#include "platform/version_info.h"

namespace quenmark {

// What the splash window reads and what it sets up for the whole program.
struct SplashContext {
  ProductIdentity& identity;          // filled from the version information at load
  const VersionInfo& versionInfo;
  gui::SkinObject*& SkinObject;       // the engine this window publishes while skinning is on
  // SkinWindow: for this window, and for every skinned one when Windows' colours change.
  std::function<void(gui::Form&)> skin;
  std::function<void()> showMainWindow;  // loads and shows the main window
};

// The first window of the program: its load sets up the identity and starts the skin
// engine; after 75 ticks of its countdown it opens the main window and hides itself. It
// stays loaded, hidden, until the main window unloads it.
class frmSplash : public gui::Form {
 public:
  frmSplash(gui::Forms& forms, SplashContext context);
  ~frmSplash() override;

  // The countdown, raised by 2 at each tick of Timer2.
  std::int16_t intTemp = 0;
  gui::Timer Timer2;

  // For a window skinned before the splash window ran: loads it hidden, so that its load
  // starts the engine, then stops the countdown, which would open a second main window.
  void startEngineOnly();

  // One tick of the countdown; the 75th opens the main window.
  void Timer2_Timer();

 protected:
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  SplashContext app_;
  std::unique_ptr<gui::SkinObject> skn;  // the engine, from the load to the unload
  gui::PictureBox Image1;
  gui::Label Label3;
};

}  // namespace quenmark
