#pragma once

#include <functional>
#include <optional>
#include <string>

#include "gui/form.h"
#include "gui/skin_hook.h"
#include "gui/timer.h"
#include "core/i18n/languages.h"
#include "platform/clock.h"
#include "core/schedule/countdown.h"

namespace quenmark {

// What the countdown window reads and may change.
struct CountdownContext {
  const Clock& clock;
  clsLanguages& languages;
  std::string caption;  // the program's name
  // The countdown in progress; null when there is none (answered, or run out).
  std::function<const ActionCountdown*()> countdown;
  std::function<void(CountdownAnswer)> answer;
  gui::SkinHook skin{};
};

// Shown on top before a warned scheduled action: which action, which schedule, the seconds
// left, and the three answers. Cancel is both the default and the Escape button, so that a
// stray key never starts the action. It closes itself once its countdown has ended.
class frmCountdown : public gui::Form {
 public:
  frmCountdown(gui::Forms& forms, CountdownContext context);
  // Loads and shows it on the countdown in progress, or brings it forward.
  void open();

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& cancel, gui::UnloadMode mode) override;

 private:
  void cmdNow_Click();
  void cmdPostpone_Click();
  void cmdCancel_Click();
  void tmrCountdown_Timer();
  void answer(CountdownAnswer a);
  void follow();
  void showSeconds();

  CountdownContext app_;
  // The countdown shown, by its start and entry: the window follows that one alone.
  std::optional<std::pair<std::uint64_t, std::chrono::local_seconds>> following_;

  gui::Label lblTitle;
  gui::Label Label1;
  gui::Label lblAction;
  gui::Label Label2;
  gui::Label lblSchedule;
  gui::Label Label3;
  gui::Label lblSeconds;
  gui::CommandButton cmdNow;
  gui::CommandButton cmdPostpone;
  gui::CommandButton cmdCancel;
  gui::ControlArray<gui::SkinLabel> SkinLabel1;
  gui::Timer tmrCountdown;
};

}  // namespace quenmark
