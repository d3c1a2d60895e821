#include "windows/condition_window.h"

#include <windows.h>

#include <algorithm>
#include <charconv>

#include "base/text.h"
#include "core/conditions/condition_text.h"
#include "windows/code_combo.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
namespace opt = gui::opt;

namespace {

// In twips. The measured conditions are rows of a small table: the limit below which the
// value must stay, and for how many minutes.
constexpr int kClientWidth = 8700, kClientHeight = 5520;
constexpr int kLine = 255, kField = 315, kButtonHeight = 375;
constexpr int kOptionWidth = 4140, kLimitLeft = 4500, kMinutesLeft = 6300, kNumberWidth = 900;
constexpr int kHeaderTop = 3000, kIdleTop = 3300, kCpuTop = 3720, kNetTop = 4140,
              kBatteryTop = 4560, kActionTop = 5040, kRowStep = kCpuTop - kIdleTop;

constexpr int kindIndex(ConditionKind k) { return static_cast<int>(k); }

}  // namespace

frmCondition::frmCondition(gui::Forms& forms, ConditionContext context)
    : gui::Form(forms, "frmCondition",
                {.caption = "Condition", .width = kClientWidth, .height = kClientHeight,
                 .style = gui::formstyle::kToolWindow}),
      app_(std::move(context)) {
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::OptionButton, "optKind", 0, "A program ends:", 240, 180, 8220, kLine, "", 0, optKind},
      {Kind::ListView, "lstPrograms", {}, "", 480, 480, 6420, 2040, "", 0, lstPrograms},
      {Kind::CommandButton, "cmdRefresh", {}, "Refresh", 7020, 480, 1440, kButtonHeight, "", 0,
       cmdRefresh},
      {Kind::Label, "Label1", {}, "Or its file name:", 480, 2640, 2520, kLine, "", 0, Label1},
      {Kind::TextBox, "txtProgram", {}, "", 3060, 2595, 3840, kField, "", 0, txtProgram},

      {Kind::Label, "Label2", {}, "Below", kLimitLeft, kHeaderTop, 1680, kLine, "", 0, Label2},
      {Kind::Label, "Label3", {}, "For (minutes)", kMinutesLeft, kHeaderTop, 2160, kLine, "", 0,
       Label3},
      {Kind::OptionButton, "optKind", 1, "No keyboard or mouse input", 240, kIdleTop,
       kOptionWidth, kLine, "", 0, optKind},
      {Kind::TextBox, "txtIdleMinutes", {}, "10", kMinutesLeft, kIdleTop - 45, kNumberWidth,
       kField, "", 0, txtIdleMinutes},
      {Kind::OptionButton, "optKind", 2, "Processor use, %", 240, kCpuTop, kOptionWidth, kLine,
       "", 0, optKind},
      {Kind::TextBox, "txtCpuLimit", {}, "5", kLimitLeft, kCpuTop - 45, kNumberWidth, kField, "",
       0, txtCpuLimit},
      {Kind::TextBox, "txtCpuMinutes", {}, "10", kMinutesLeft, kCpuTop - 45, kNumberWidth,
       kField, "", 0, txtCpuMinutes},
      {Kind::OptionButton, "optKind", 3, "Network traffic, KB/s", 240, kNetTop, kOptionWidth,
       kLine, "", 0, optKind},
      {Kind::TextBox, "txtNetLimit", {}, "50", kLimitLeft, kNetTop - 45, kNumberWidth, kField,
       "", 0, txtNetLimit},
      {Kind::TextBox, "txtNetMinutes", {}, "10", kMinutesLeft, kNetTop - 45, kNumberWidth,
       kField, "", 0, txtNetMinutes},
      // Offered only where the computer has a battery.
      {Kind::OptionButton, "optKind", 4, "Battery while not charging, %", 240, kBatteryTop,
       kOptionWidth, kLine, "", 0, optKind},
      {Kind::TextBox, "txtBatteryLimit", {}, "20", kLimitLeft, kBatteryTop - 45, kNumberWidth,
       kField, "", 0, txtBatteryLimit},

      {Kind::Label, "Label4", {}, "Action:", 240, kActionTop, 1260, kLine, "", 0, Label4},
      {Kind::ComboBox, "cbAction", {}, "", 1560, kActionTop - 45, 2400, kField, "", 0, cbAction},
      {Kind::CommandButton, "cmdOK", {}, "OK", 5580, kActionTop - 60, 1380, kButtonHeight, "",
       opt::kDefault, cmdOK},
      {Kind::CommandButton, "cmdCancel", {}, "Cancel", 7080, kActionTop - 60, 1380,
       kButtonHeight, "", opt::kCancel, cmdCancel},
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "", opt::kHidden, SkinLabel1},
  });
  // clang-format on
  bindEvents({
      {"cmdOK", Event::Click, &frmCondition::cmdOK_Click},
      {"cmdCancel", Event::Click, &frmCondition::cmdCancel_Click},
      {"cmdRefresh", Event::Click, &frmCondition::cmdRefresh_Click},
      {"lstPrograms", Event::ItemClick, &frmCondition::lstPrograms_ItemClick},
      {"txtProgram", Event::Change, &frmCondition::txtProgram_Change},
      {"txtIdleMinutes", Event::Change, [this] { choose(kindIndex(ConditionKind::NoInput)); }},
      {"txtCpuLimit", Event::Change, [this] { choose(kindIndex(ConditionKind::ProcessorBelow)); }},
      {"txtCpuMinutes", Event::Change, [this] { choose(kindIndex(ConditionKind::ProcessorBelow)); }},
      {"txtNetLimit", Event::Change, [this] { choose(kindIndex(ConditionKind::NetworkBelow)); }},
      {"txtNetMinutes", Event::Change, [this] { choose(kindIndex(ConditionKind::NetworkBelow)); }},
      {"txtBatteryLimit", Event::Change, [this] { choose(kindIndex(ConditionKind::BatteryBelow)); }},
  });
  for (const char* column : {"Window", "Program", "Id"}) lstPrograms.addColumn(column, 2000);
}

void frmCondition::open(const std::string& action) {
  action_ = action;
  if (loaded()) {
    activate();
    return;
  }
  show();
  activate();
}

void frmCondition::Form_Load() {
  filling_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{filling_};
  app_.languages.translate(*this);
  setCaption(app_.languages.getMessages("MSG_TITLECONDITION"));
  lstPrograms.setColumnWidth(1, 3300);
  lstPrograms.setColumnWidth(2, 2000);
  lstPrograms.setColumnWidth(3, 800);
  int height = kClientHeight;
  if (!(app_.hasBattery && app_.hasBattery())) {
    // The line goes, and what lies below it moves up into its place.
    for (gui::Control* c : std::initializer_list<gui::Control*>{
             &optKind[kindIndex(ConditionKind::BatteryBelow)], &txtBatteryLimit}) {
      c->setVisible(false);
    }
    for (gui::Control* c : std::initializer_list<gui::Control*>{&Label4, &cbAction, &cmdOK,
                                                                 &cmdCancel}) {
      c->setTop(c->top() - kRowStep);
    }
    height -= kRowStep;
  }
  setClientSize(kClientWidth, height);
  cbAction.clear();
  actionCodes_ = app_.actions ? app_.actions() : std::vector<std::string_view>{};
  showCodes(cbAction, actionCodes_, app_.languages);
  for (std::size_t i = 0; i < actionCodes_.size(); ++i) {
    if (actionCodes_[i] == action_) cbAction.setListIndex(static_cast<int>(i));
  }
  fillPrograms();
  optKind[kindIndex(ConditionKind::ProgramEnds)].setValue(true);
  if (app_.skin) app_.skin(*this, gui::LabelCopies::All);
}

void frmCondition::fillPrograms() {
  programs_ = app_.programs ? app_.programs() : std::vector<RunningProgram>{};
  // Programs with a window first, as the user knows them, then the rest by file name.
  std::stable_sort(programs_.begin(), programs_.end(), [](const auto& a, const auto& b) {
    if (a.windowTitle.empty() != b.windowTitle.empty()) return b.windowTitle.empty();
    if (!a.windowTitle.empty() && a.windowTitle != b.windowTitle) {
      return foldCase(a.windowTitle) < foldCase(b.windowTitle);
    }
    return foldCase(a.fileName) < foldCase(b.fileName);
  });
  lstPrograms.clear();
  for (const RunningProgram& p : programs_) {
    const int row = lstPrograms.addItem(p.windowTitle);
    lstPrograms.setItemText(row, 1, p.fileName);
    lstPrograms.setItemText(row, 2, std::to_string(p.id));
  }
}

void frmCondition::cmdRefresh_Click() {
  fillPrograms();
  choose(kindIndex(ConditionKind::ProgramEnds));
}

void frmCondition::lstPrograms_ItemClick(int) {
  // A program picked from the list replaces a typed name.
  txtProgram.setText("");
  choose(kindIndex(ConditionKind::ProgramEnds));
}

void frmCondition::txtProgram_Change() {
  if (filling_ || txtProgram.text().empty()) return;
  lstPrograms.setSelectedRow(std::nullopt);
  choose(kindIndex(ConditionKind::ProgramEnds));
}

void frmCondition::choose(int kind) {
  if (filling_) return;
  if (optKind.exists(kind) && !optKind[kind].value()) optKind[kind].setValue(true);
}

std::optional<int> frmCondition::number(gui::TextBox& box, NumberRange range) {
  const std::string text(trimBlanks(box.text()));
  int n = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error == std::errc() && end == text.data() + text.size() && range.contains(n)) return n;
  app_.dialogs.messageBox(fillIn(app_.languages.getMessages("MSG_WHENNUMBER"),
                                 {std::to_string(range.from), std::to_string(range.to)}),
                          app_.programName, MsgButtons::Ok, MsgIcon::Warning);
  box.setFocus();
  SendMessageW(box.hwnd(), EM_SETSEL, 0, -1);
  return std::nullopt;
}

std::optional<Condition> frmCondition::condition() {
  Condition c;
  int chosen = 0;
  for (int i : optKind.indexes()) {
    if (optKind[i].value()) chosen = i;
  }
  c.kind = static_cast<ConditionKind>(chosen);
  auto read = [&](gui::TextBox& box, NumberRange range, int& into) {
    const std::optional<int> n = number(box, range);
    if (n) into = *n;
    return n.has_value();
  };
  switch (c.kind) {
    case ConditionKind::ProgramEnds: {
      const std::optional<int> row = lstPrograms.selectedRow();
      c.fileName = programFileName(txtProgram.text());
      if (c.fileName.empty() && row && static_cast<std::size_t>(*row) < programs_.size()) {
        const RunningProgram& p = programs_[static_cast<std::size_t>(*row)];
        c.processId = p.id;
        c.processStarted = p.started;
        c.fileName = p.fileName;
      }
      if (!validCondition(c)) {
        app_.dialogs.messageBox(app_.languages.getMessages("MSG_WHENPROGRAM"), app_.programName,
                                MsgButtons::Ok, MsgIcon::Warning);
        txtProgram.setFocus();
        return std::nullopt;
      }
      return c;
    }
    case ConditionKind::NoInput:
      if (!read(txtIdleMinutes, kConditionMinutes, c.minutes)) return std::nullopt;
      return c;
    case ConditionKind::ProcessorBelow:
      if (!read(txtCpuLimit, kPercentLimit, c.limit) ||
          !read(txtCpuMinutes, kConditionMinutes, c.minutes)) {
        return std::nullopt;
      }
      return c;
    case ConditionKind::NetworkBelow:
      if (!read(txtNetLimit, kNetworkLimit, c.limit) ||
          !read(txtNetMinutes, kConditionMinutes, c.minutes)) {
        return std::nullopt;
      }
      return c;
    case ConditionKind::BatteryBelow:
      if (!read(txtBatteryLimit, kPercentLimit, c.limit)) return std::nullopt;
      return c;
  }
  return std::nullopt;
}

void frmCondition::cmdOK_Click() {
  const std::optional<Condition> c = condition();
  if (!c) return;
  if (app_.add) app_.add(*c, chosenCode(cbAction, actionCodes_));
  unload();
}

void frmCondition::cmdCancel_Click() { unload(); }

}  // namespace quenmark
