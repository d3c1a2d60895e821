#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/conditions/condition.h"
#include "core/i18n/languages.h"
#include "gui/form.h"
#include "gui/skin_hook.h"
#include "platform/dialogs.h"
#include "platform/meters.h"

namespace quenmark {

// What the Condition window reads and may change.
struct ConditionContext {
  clsLanguages& languages;
  Dialogs& dialogs;         // what is wrong with a number or a missing program
  std::string programName;  // the title of those messages
  // The running programs, with creation times and window titles.
  std::function<std::vector<RunningProgram>()> programs;
  // Whether the computer has a battery: the battery condition is offered only then.
  std::function<bool()> hasBattery;
  // The quick timer's actions, in their order.
  std::function<std::vector<std::string_view>()> actions;
  // OK: the entry that waits for the condition, with the action.
  std::function<void(const Condition&, const std::string& action)> add;
  gui::SkinHook skin{};
};

// "When..." of the quick timer: one condition of five (a program ends, no input, processor
// use, network traffic, battery) with its numbers (a limit to stay below, for how many
// minutes), and the action. OK adds the entry and
// closes; Cancel and the close box add nothing.
class frmCondition : public gui::Form {
 public:
  frmCondition(gui::Forms& forms, ConditionContext context);

  // Loads and shows it with `action` chosen (the main window's), or brings it forward.
  void open(const std::string& action);

 protected:
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdCancel_Click();
  void cmdRefresh_Click();
  void lstPrograms_ItemClick(int row);
  void txtProgram_Change();
  // A number box being typed into chooses its condition.
  void choose(int kind);
  // The number in the box when it lies in `range`; otherwise the user is told and none.
  std::optional<int> number(gui::TextBox& box, NumberRange range);
  std::optional<Condition> condition();
  void fillPrograms();

  ConditionContext app_;
  std::string action_;
  std::vector<std::string_view> actionCodes_;  // the codes of cbAction's items, in their order
  std::vector<RunningProgram> programs_;  // the list's rows, in its order
  bool filling_ = false;                  // the load sets texts: no box chooses its condition

  gui::ControlArray<gui::OptionButton> optKind;
  gui::ListView lstPrograms;
  gui::CommandButton cmdRefresh;
  gui::Label Label1;
  gui::TextBox txtProgram;
  gui::Label Label2;
  gui::Label Label3;
  gui::TextBox txtIdleMinutes;
  gui::TextBox txtCpuLimit;
  gui::TextBox txtCpuMinutes;
  gui::TextBox txtNetLimit;
  gui::TextBox txtNetMinutes;
  gui::TextBox txtBatteryLimit;
  gui::Label Label4;
  gui::ComboBox cbAction;
  gui::CommandButton cmdOK;
  gui::CommandButton cmdCancel;
  gui::ControlArray<gui::SkinLabel> SkinLabel1;
};

}  // namespace quenmark
