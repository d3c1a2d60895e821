#include "windows/wizard_window.h"

#include "core/i18n/display_text.h"
#include "core/power/power.h"
#include "core/power/power_action.h"
#include "core/schedule/period.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;
using namespace std::chrono;

namespace {

// The day trees share one place, since only one of them shows at a time; the week is cut
// to its seven days, the month scrolls.
constexpr int kTreeLeft = 2280, kTreeTop = 1500, kTreeWidth = 3240;
constexpr int kWeekHeight = 1860, kMonthHeight = 2340;

}  // namespace

frmWizard::frmWizard(gui::Forms& forms, WizardContext context)
    : gui::Form(forms, "frmWizard",
                {.caption = "Schedule Configuration",
                 .width = 6375,
                 .height = 6420,
                 .style = gui::formstyle::kFixed}),
      app_(std::move(context)) {
  // Timing controls sit in Frame6, the repetition kinds in frRepeat inside it. The day
  // trees start hidden, the repetition controls disabled, as chkScheduler starts clear.
  addControls({
      {Kind::Label, "Label1", {}, "Schedule Name:", 240, 285, 1500, 255},
      {Kind::TextBox, "txtName", {}, "", 1800, 240, 4200, 315, "", 0, txtName},
      {Kind::Label, "Label2", {}, "ScheduleType:", 240, 735, 1500, 255},
      {Kind::ComboBox, "cbShutdown", {}, "", 1800, 690, 2400, 315, "", opt::kEditable, cbShutdown},
      {Kind::Frame, "Frame6", {}, "Schedule", 240, 1200, 5760, 4080, "", 0, Frame6},
      {Kind::CheckBox,
       "chkScheduler",
       {},
       "Enable Scheduler",
       240,
       300,
       3000,
       255,
       "Frame6",
       0,
       chkScheduler},
      {Kind::Label, "SkinLabel12", {}, "Start:", 240, 735, 900, 255, "Frame6"},
      {Kind::DTPicker, "dtDate", {}, "", 1200, 690, 1800, 315, "Frame6", 0, dtDate},
      {Kind::DTPicker, "dtTime", {}, "", 3120, 690, 1440, 315, "Frame6", opt::kTimeFormat, dtTime},
      {Kind::CheckBox,
       "chkRepeat",
       {},
       "Run Schedule",
       240,
       1140,
       3000,
       255,
       "Frame6",
       opt::kDisabled,
       chkRepeat},
      {Kind::Frame, "frRepeat", {}, "", 240, 1440, 1800, 1260, "Frame6", 0, frRepeat},
      {Kind::OptionButton, "optRepeat", 0, "Daily", 180, 225, 1500, 255, "frRepeat", opt::kDisabled,
       optRepeat},
      {Kind::OptionButton, "optRepeat", 1, "Weekly", 180, 555, 1500, 255, "frRepeat",
       opt::kDisabled, optRepeat},
      {Kind::OptionButton, "optRepeat", 2, "Monthly", 180, 885, 1500, 255, "frRepeat",
       opt::kDisabled, optRepeat},
      {Kind::TreeView,
       "tvScheduleWeek",
       {},
       "",
       kTreeLeft,
       kTreeTop,
       kTreeWidth,
       kWeekHeight,
       "Frame6",
       opt::kHidden | opt::kCheckBoxes,
       tvScheduleWeek},
      // A click anywhere on a day flips its check once; the layer does the flip, so the
      // window binds no NodeClick of its own. Labels cannot be edited: the stored day list
      // is made of them.
      {Kind::TreeView,
       "tvScheduleMonth",
       {},
       "",
       kTreeLeft,
       kTreeTop,
       kTreeWidth,
       kMonthHeight,
       "Frame6",
       opt::kHidden | opt::kFlipOnClick,
       tvScheduleMonth},
      {Kind::CommandButton, "cmdOK", {}, "OK", 3480, 5460, 1215, 375, "", opt::kDefault, cmdOK},
      {Kind::CommandButton,
       "cmdCancel",
       {},
       "Cancel",
       4785,
       5460,
       1215,
       375,
       "",
       opt::kCancel,
       cmdCancel},
  });
  bindEvents({
      {"cmdOK", Event::Click, &frmWizard::cmdOK_Click},
      {"cmdCancel", Event::Click, &frmWizard::cmdCancel_Click},
      {"chkScheduler", Event::Click, &frmWizard::chkScheduler_Click},
      {"chkRepeat", Event::Click, &frmWizard::chkRepeat_Click},
      {"optRepeat", Event::Click, &frmWizard::optRepeat_Click},
  });
}

std::string frmWizard::message(const std::string& key) const {
  return app_.languages.getMessages(key);
}

void frmWizard::Form_Load() {
  app_.languages.translate(*this);
  setCaption(message("MSG_TITLEWIZARD"));

  const auto actions = offeredActionNames(modPower::HibernateAvailable(app_.fs));
  cbShutdown.clear();
  for (std::string_view action : actions) cbShutdown.addItem(displayText(app_.languages, action));

  tvScheduleWeek.clear();
  static constexpr const char* kDayMessages[] = {"MSG_MONDAY",   "MSG_TUESDAY", "MSG_WEDNESDAY",
                                                 "MSG_THURSDAY", "MSG_FRIDAY",  "MSG_SATURDAY",
                                                 "MSG_SUNDAY"};
  for (std::size_t d = 0; d < kWeekdayKeys.size(); ++d)
    tvScheduleWeek.addNode(std::string(kWeekdayKeys[d]), message(kDayMessages[d]));
  tvScheduleMonth.clear();
  for (int d = 1; d <= 31; ++d) tvScheduleMonth.addNode("", std::to_string(d));

  const local_seconds now = app_.clock.now();
  model_ = next_ ? wizard::editSchedule(*next_, now, app_.regional.formats())
                 : wizard::newSchedule(now, std::string(actions.front()));
  showModel();
  if (app_.skin) app_.skin(*this, gui::LabelCopies::None);
}

void frmWizard::showModel() {
  txtName.setText(model_.name);
  // The combo takes any text: an action name from a hand-edited file is shown as it is.
  cbShutdown.setText(displayText(app_.languages, model_.action));
  // The date picker's time part is midnight, so no time can leak into the date.
  dtDate.setValue(local_days{model_.date});
  dtTime.setTimeOfDay(model_.time);
  for (int d = 1; d <= tvScheduleWeek.nodeCount(); ++d)
    tvScheduleWeek.setChecked(d, model_.weekDays.test(static_cast<std::size_t>(d)));
  for (int d = 1; d <= tvScheduleMonth.nodeCount(); ++d)
    tvScheduleMonth.setChecked(d, model_.monthDays.test(static_cast<std::size_t>(d)));
  // Setting these raises their clicks, which copy the same values back: harmless.
  const wizard::WizardModel shown = model_;
  optRepeat[static_cast<int>(shown.kind)].setValue(true);
  chkRepeat.setValue(shown.repeat ? 1 : 0);
  chkScheduler.setValue(shown.hasStart ? 1 : 0);
  model_ = shown;
  showView();
}

void frmWizard::showView() {
  const wizard::WizardView v = wizard::viewOf(model_);
  txtName.setEnabled(v.nameEnabled);
  dtDate.setEnabled(v.pickersEnabled);
  dtTime.setEnabled(v.pickersEnabled);
  chkRepeat.setEnabled(v.repeatEnabled);
  for (int i = 0; i < 3; ++i) optRepeat[i].setEnabled(v.kindEnabled);
  tvScheduleWeek.setVisible(v.weekVisible);
  tvScheduleMonth.setVisible(v.monthVisible);
}

wizard::WizardModel frmWizard::readModel() const {
  wizard::WizardModel m = model_;
  m.name = txtName.text();
  // Every action, offered here or not: an edited schedule may name one this machine does not
  // offer, and it must keep that name.
  m.action = codeShownAs(app_.languages, cbShutdown.text(),
                         offeredActionNames(/*hibernateAvailable=*/true));
  m.hasStart = chkScheduler.checked();
  m.date = dtDate.date();
  m.time = dtTime.timeOfDay();
  m.repeat = chkRepeat.checked();
  // The first selected button decides, as none or several can only be by accident.
  m.kind = RepeatKind::Daily;
  for (int i = 2; i >= 0; --i) {
    if (optRepeat[i].value()) m.kind = static_cast<RepeatKind>(i);
  }
  m.weekDays.reset();
  for (int d = 1; d <= tvScheduleWeek.nodeCount(); ++d)
    m.weekDays.set(static_cast<std::size_t>(d), tvScheduleWeek.checked(d));
  m.monthDays.reset();
  for (int d = 1; d <= tvScheduleMonth.nodeCount(); ++d)
    m.monthDays.set(static_cast<std::size_t>(d), tvScheduleMonth.checked(d));
  return m;
}

void frmWizard::chkScheduler_Click() {
  model_.hasStart = chkScheduler.checked();
  showView();
}

void frmWizard::chkRepeat_Click() {
  model_.repeat = chkRepeat.checked();
  showView();
}

void frmWizard::optRepeat_Click(int index) {
  model_.kind = static_cast<RepeatKind>(index);
  showView();
}

void frmWizard::cmdOK_Click() {
  wizard::OkInputs in;
  if (!model_.editing) in.existingNames = app_.schedules.names();
  in.programTitle = app_.identity.ProgramName;
  in.message = [this](const std::string& key) { return message(key); };
  in.formats = app_.regional.formats();
  in.programFolder = app_.programFolder;
  model_ = readModel();
  const wizard::OkResult result = wizard::cmdOK_Click(model_, in, app_.fs, app_.codec);
  if (result.message) {
    app_.dialogs.messageBox(result.message->text, result.message->title,
                            result.message->buttons);
  }
  // A refused name or a failed save keeps the input for another try.
  if (!result.saved) return;
  if (result.record) app_.schedules.saved(*result.record);
  unload();
}

void frmWizard::cmdCancel_Click() { unload(); }

void frmWizard::open(const std::optional<ScheduleRecord>& toEdit, bool show) {
  if (!show) {
    next_ = toEdit;
    load();
    return;
  }
  if (loaded() && !visible()) unload();
  if (!loaded()) next_ = toEdit;
  this->show();
  activate();
}

void LoadWizardForTemplate(frmWizard& wizard) {
  if (!wizard.loaded()) wizard.open(std::nullopt, /*show=*/false);
}

}  // namespace quenmark
