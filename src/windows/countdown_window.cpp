#include "windows/countdown_window.h"

#include <windows.h>

#include "core/i18n/display_text.h"
#include "gui/on_top_win32.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;

namespace {

constexpr int kLabelHeight = 255, kButtonTop = 2040, kButtonHeight = 375;
constexpr int kNameWidth = 2400, kValueLeft = 2760, kValueWidth = 4800;

// The buttons' design captions are the answers' names, which the event log repeats.
std::string button(CountdownAnswer answer) { return std::string(countdownButton(answer)); }

}  // namespace

frmCountdown::frmCountdown(gui::Forms& forms, CountdownContext context)
    : gui::Form(forms, "frmCountdown",
                {.caption = context.caption, .width = 7800, .height = 3150,
                 .style = gui::formstyle::kToolWindow}),
      app_(std::move(context)),
      tmrCountdown(*this, "tmrCountdown", 250, false) {
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::Label, "lblTitle", {}, "A scheduled action is about to start.", 240, 180, 7320,
       kLabelHeight, "", 0, lblTitle},
      {Kind::Label, "Label1", {}, "Action:", 240, 600, kNameWidth, kLabelHeight, "", 0, Label1},
      {Kind::Label, "lblAction", {}, "", kValueLeft, 600, kValueWidth, kLabelHeight, "", 0,
       lblAction},
      {Kind::Label, "Label2", {}, "Schedule:", 240, 960, kNameWidth, kLabelHeight, "", 0, Label2},
      {Kind::Label, "lblSchedule", {}, "", kValueLeft, 960, kValueWidth, kLabelHeight, "", 0,
       lblSchedule},
      {Kind::Label, "Label3", {}, "Seconds left:", 240, 1320, kNameWidth, kLabelHeight, "", 0,
       Label3},
      {Kind::Label, "lblSeconds", {}, "", kValueLeft, 1320, kValueWidth, kLabelHeight, "", 0,
       lblSeconds},
      // Tab order: the safe answer first.
      {Kind::CommandButton, "cmdCancel", {}, button(CountdownAnswer::Cancel), 240, kButtonTop,
       1700, kButtonHeight, "", opt::kDefault | opt::kCancel, cmdCancel},
      {Kind::CommandButton, "cmdPostpone", {}, button(CountdownAnswer::Postpone), 2060,
       kButtonTop, 3000, kButtonHeight, "", 0, cmdPostpone},
      {Kind::CommandButton, "cmdNow", {}, button(CountdownAnswer::ActNow), 5180, kButtonTop,
       2380, kButtonHeight, "", 0, cmdNow},
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "", opt::kHidden, SkinLabel1},
  });
  // clang-format on
  bindEvents({
      {"cmdNow", Event::Click, &frmCountdown::cmdNow_Click},
      {"cmdPostpone", Event::Click, &frmCountdown::cmdPostpone_Click},
      {"cmdCancel", Event::Click, &frmCountdown::cmdCancel_Click},
      {"tmrCountdown", Event::Timer, &frmCountdown::tmrCountdown_Timer},
  });
}

void frmCountdown::open() {
  // Still up for a countdown that has just ended: it follows the new one.
  if (loaded()) follow();
  load();
  if (!loaded()) return;
  show();
  SetOnTop(hwnd(), true);
  activate();
  cmdCancel.setFocus();
}

void frmCountdown::Form_Load() {
  app_.languages.translate(*this);
  follow();
  // In the middle of the work area, where the user looks first.
  RECT work{}, own{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(hwnd(), &own);
  const int w = own.right - own.left, h = own.bottom - own.top;
  SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (app_.skin) app_.skin(*this, gui::LabelCopies::All);
}

void frmCountdown::follow() {
  following_.reset();
  const ActionCountdown* c = app_.countdown ? app_.countdown() : nullptr;
  tmrCountdown.setEnabled(c != nullptr);
  if (!c) return;
  following_.emplace(c->id, c->started);
  lblAction.setCaption(displayText(app_.languages, c->actionName));
  lblSchedule.setCaption(c->scheduleName);
  showSeconds();
}

void frmCountdown::showSeconds() {
  const ActionCountdown* c = app_.countdown ? app_.countdown() : nullptr;
  if (!c) return;
  // Only a new number is written, so that a screen reader is not told the same one again.
  const std::string seconds = std::to_string(c->secondsLeft(app_.clock.now()));
  if (lblSeconds.caption() != seconds) lblSeconds.setCaption(seconds);
}

void frmCountdown::tmrCountdown_Timer() {
  const ActionCountdown* c = app_.countdown ? app_.countdown() : nullptr;
  // Answered elsewhere or run out (the scan acts at zero): nothing left to show.
  if (!c || !following_ || following_->first != c->id || following_->second != c->started) {
    following_.reset();
    unload();
    return;
  }
  showSeconds();
}

void frmCountdown::answer(CountdownAnswer a) {
  following_.reset();
  if (app_.answer) app_.answer(a);
  unload();
}

void frmCountdown::cmdNow_Click() { answer(CountdownAnswer::ActNow); }
void frmCountdown::cmdPostpone_Click() { answer(CountdownAnswer::Postpone); }
void frmCountdown::cmdCancel_Click() { answer(CountdownAnswer::Cancel); }

void frmCountdown::Form_QueryUnload(bool&, gui::UnloadMode) {
  // The close box, or the program ending, while the countdown runs: this run is skipped.
  if (following_) {
    following_.reset();
    if (app_.answer) app_.answer(CountdownAnswer::Cancel);
  }
}

}  // namespace quenmark
