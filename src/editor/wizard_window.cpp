#include "editor/wizard_window.h"

#include "power/power.h"
#include "schedule/regional_time.h"

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

frmWizard::frmWizard(gui::Forms& forms, WizardContext context, WizardHost& host)
    : gui::Form(forms, "frmWizard",
                {.caption = "Schedule Configuration",
                 .width = 6375,
                 .height = 6420,
                 .style = gui::formstyle::kFixed}),
      app_(std::move(context)),
      host_(host) {
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

std::string frmWizard::formatDate(year_month_day date) const {
  return formatShortDate(date, app_.regional.formats().shortDate);
}

void frmWizard::Form_Load() {
  app_.languages.ChangeLanguage(*this, app_.currentLanguage);
  editing_ = next_;
  const std::string datePicture = app_.regional.formats().shortDate;
  wizard::LoadInputs in;
  in.now = app_.clock.now();
  in.hibernateAvailable = modPower::HibernateAvailable(app_.fs);
  in.editMode = editing_.has_value();
  in.message = [this](const std::string& key) { return message(key); };
  in.parseDate = [datePicture](const std::string& text) {
    return parseShortDate(text, datePicture);
  };
  in.formatDate = [this](year_month_day d) { return formatDate(d); };
  // The controls are as designed here, which is what a fresh state describes.
  wizard::WizardState state;
  ScheduleRecord current = editing_.value_or(ScheduleRecord{});
  wizard::Form_Load(state, in, current);
  showState(state);
}

wizard::WizardState frmWizard::readControls() const {
  wizard::WizardState s;
  s.caption = caption();
  s.txtName = {txtName.text(), txtName.enabled()};
  for (int i = 0; i < cbShutdown.listCount(); ++i) s.cbShutdown.items.push_back(cbShutdown.list(i));
  s.cbShutdown.text = cbShutdown.text();
  s.chkScheduler = {chkScheduler.checked(), chkScheduler.enabled()};
  s.dtDate = {dtDate.date(), dtDate.enabled()};
  const hh_mm_ss<seconds> t{dtTime.timeOfDay()};
  s.dtTime = {static_cast<int>(t.hours().count()), static_cast<int>(t.minutes().count()),
              static_cast<int>(t.seconds().count()), dtTime.enabled()};
  s.chkRepeat = {chkRepeat.checked(), chkRepeat.enabled()};
  for (int i = 0; i < 3; ++i)
    s.optRepeat.values[static_cast<std::size_t>(i)] = optRepeat[i].value();
  s.optRepeat.enabled = optRepeat[0].enabled();
  auto readTree = [](const gui::TreeView& tree, wizard::TreeView& into) {
    for (int n = 1; n <= tree.nodeCount(); ++n)
      into.nodes.push_back({tree.nodeKey(n), tree.nodeText(n), tree.checked(n)});
    into.visible = tree.visible();
  };
  readTree(tvScheduleWeek, s.tvScheduleWeek);
  readTree(tvScheduleMonth, s.tvScheduleMonth);
  return s;
}

void frmWizard::showState(const wizard::WizardState& s) {
  showing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{showing_};

  setCaption(s.caption);
  txtName.setText(s.txtName.text);
  txtName.setEnabled(s.txtName.enabled);

  bool sameItems = cbShutdown.listCount() == static_cast<int>(s.cbShutdown.items.size());
  for (int i = 0; sameItems && i < cbShutdown.listCount(); ++i)
    sameItems = cbShutdown.list(i) == s.cbShutdown.items[static_cast<std::size_t>(i)];
  if (!sameItems) {
    cbShutdown.clear();
    for (const std::string& item : s.cbShutdown.items) cbShutdown.addItem(item);
  }
  // The combo takes any text: an action name from a hand-edited file is shown as it is.
  cbShutdown.setText(s.cbShutdown.text);

  chkScheduler.setValue(s.chkScheduler.value ? 1 : 0);
  chkScheduler.setEnabled(s.chkScheduler.enabled);
  // The date picker's time part is midnight, so no time can leak into the date.
  dtDate.setValue(local_days{s.dtDate.value});
  dtDate.setEnabled(s.dtDate.enabled);
  dtTime.setTimeOfDay(hours{s.dtTime.hours} + minutes{s.dtTime.minutes} +
                      seconds{s.dtTime.seconds});
  dtTime.setEnabled(s.dtTime.enabled);
  chkRepeat.setValue(s.chkRepeat.value ? 1 : 0);
  chkRepeat.setEnabled(s.chkRepeat.enabled);
  for (int i = 0; i < 3; ++i) {
    if (s.optRepeat.values[static_cast<std::size_t>(i)]) optRepeat[i].setValue(true);
  }
  for (int i = 0; i < 3; ++i) {
    if (!s.optRepeat.values[static_cast<std::size_t>(i)]) optRepeat[i].setValue(false);
    optRepeat[i].setEnabled(s.optRepeat.enabled);
  }

  auto showTree = [](gui::TreeView& tree, const wizard::TreeView& from) {
    bool sameNodes = tree.nodeCount() == static_cast<int>(from.nodes.size());
    for (int n = 1; sameNodes && n <= tree.nodeCount(); ++n) {
      const auto& node = from.nodes[static_cast<std::size_t>(n - 1)];
      sameNodes = tree.nodeKey(n) == node.key && tree.nodeText(n) == node.text;
    }
    if (!sameNodes) {
      tree.clear();
      for (const auto& node : from.nodes) tree.addNode(node.key, node.text);
    }
    for (int n = 1; n <= tree.nodeCount(); ++n) {
      const bool on = from.nodes[static_cast<std::size_t>(n - 1)].checked;
      if (tree.checked(n) != on) tree.setChecked(n, on);
    }
    tree.setVisible(from.visible);
  };
  showTree(tvScheduleWeek, s.tvScheduleWeek);
  showTree(tvScheduleMonth, s.tvScheduleMonth);
}

void frmWizard::update(const std::function<void(wizard::WizardState&)>& handler) {
  if (showing_) return;
  wizard::WizardState state = readControls();
  handler(state);
  showState(state);
}

void frmWizard::chkScheduler_Click() { update(wizard::chkScheduler_Click); }

void frmWizard::chkRepeat_Click() { update(wizard::chkRepeat_Click); }

void frmWizard::optRepeat_Click(int index) {
  update([index](wizard::WizardState& s) { wizard::optRepeat_Click(s, index); });
}

void frmWizard::cmdOK_Click() {
  wizard::OkInputs in;
  in.editMode = editing_.has_value();
  if (!editing_) in.existingNames = host_.scheduleNames();
  in.programTitle = app_.identity.ProgramName;
  in.message = [this](const std::string& key) { return message(key); };
  in.formatDate = [this](year_month_day d) { return formatDate(d); };
  in.programFolder = app_.programFolder;
  const wizard::OkResult result =
      wizard::cmdOK_Click(readControls(), in, app_.fs, app_.codec);
  if (result.message) {
    app_.dialogs.messageBox(result.message->text, result.message->title,
                                     result.message->buttons);
  }
  // A refused name or a failed save keeps the input for another try.
  if (!result.saved) return;
  host_.loadData();
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
