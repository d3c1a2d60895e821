#include "windows/options_window.h"

#include "core/settings/run_at_start.h"

namespace quenmark {

using gui::Event;
using gui::Kind;
using options::FieldKind;
namespace opt = gui::opt;

namespace {

// The visible client area; the hidden groups lie below it.
constexpr int kClientWidth = 10305, kClientHeight = 3630;
// The line under the wake box, left out (with the room it takes) while it has nothing to say;
// the same for the line under the options that says an administrator set some of them.
constexpr int kWakeLineHeight = 300;
constexpr int kPolicyLineHeight = 300;
constexpr int kCheckHeight = 255, kFieldHeight = 315, kButtonWidth = 1215, kButtonHeight = 345;

std::string text(std::string_view s) { return std::string(s); }

}  // namespace

frmOptions::frmOptions(gui::Forms& forms, OptionsContext context)
    : gui::Form(forms, "frmOptions",
                {.caption = "General Preferences",
                 .width = kClientWidth,
                 .height = kClientHeight,
                 .style = gui::formstyle::kToolWindow,
                 .fontName = "Verdana",
                 .escapeCloses = true}),
      app_(std::move(context)) {
  // The fields' design texts are the defaults of their settings.
  auto initial = [](Setting s) { return text(settingDef(s).initial); };
  // clang-format off
  addControls({
      // kind, name, index, caption, left, top, width, height, container, options, member
      {Kind::Frame, "Frame2", {}, "Startup Options", 60, 60, 10095, 1455, "", 0, Frame2},
      {Kind::CheckBox, "chkRunAtStart", {}, "Run at Windows Startup (recommended)", 180, 360,
       9735, kCheckHeight, "Frame2", 0, chkRunAtStart},
      {Kind::CheckBox, "chkMin", {}, "Open minimized to the system Tray", 180, 660, 9735,
       kCheckHeight, "Frame2", 0, chkMin},
      {Kind::CheckBox, "chkSplash", {}, "Don't show the splash screen", 180, 960, 9735,
       kCheckHeight, "Frame2", 0, chkSplash},
      {Kind::Frame, "Frame1", {}, "Miscellaneous Options", 60, 1620, 10095, 1935, "", 0, Frame1},
      {Kind::CheckBox, "chkNoShow", {}, "Don't show a reminder when I close the program.", 120,
       300, 9855, kCheckHeight, "Frame1", 0, chkNoShow},
      {Kind::CheckBox, "chkAlwaysExit", {},
       "Always exit completely when I close the program, don't run scheduled events after "
       "closing.", 120, 600, 9855, kCheckHeight, "Frame1", 0, chkAlwaysExit},
      {Kind::CheckBox, "chkWake", {}, "Wake the computer to run schedules", 120, 900, 9855,
       kCheckHeight, "Frame1", 0, chkWake},
      // Shown only when the power plan keeps timers from waking the computer.
      {Kind::Label, "lblWakeBlocked", {},
       "Wake timers are turned off in this computer's power plan.", 420, 1170, 9555,
       kCheckHeight, "Frame1", opt::kHidden, lblWakeBlocked},
      {Kind::CheckBox, "chkWarn", {}, "Warn 30 seconds before a scheduled action", 120, 1500,
       9855, kCheckHeight, "Frame1", 0, chkWarn},
      {Kind::CheckBox, "chkLog", {}, "Enable Logging", 0, 0, 0, 0, "Frame1", opt::kHidden, chkLog},

      // The hidden groups.
      {Kind::Frame, "Frame3", {}, "Default LAN Backup Folder", 60, 3720, 10095, 735, "",
       opt::kHidden},
      {Kind::Label, "Label1", {}, "Folder:", 180, 330, 1140, kCheckHeight, "Frame3"},
      {Kind::TextBox, "txtLanFolder", {}, "", 1440, 285, 7140, kFieldHeight, "Frame3", 0,
       txtLanFolder},
      {Kind::CommandButton, "cmdBrowse", {}, "Browse", 8700, 270, kButtonWidth, kButtonHeight,
       "Frame3", 0, cmdBrowse},

      {Kind::Frame, "Frame4", {}, "Default FTP Values", 60, 4560, 10095, 1635, "", opt::kHidden},
      {Kind::Label, "Label2", {}, "Host:", 180, 330, 1140, kCheckHeight, "Frame4"},
      {Kind::TextBox, "txtFTPHost", {}, "", 1440, 285, 4200, kFieldHeight, "Frame4", 0,
       txtFTPHost},
      {Kind::Label, "Label3", {}, "Port:", 5880, 330, 1020, kCheckHeight, "Frame4"},
      {Kind::TextBox, "txtFTPPort", {}, initial(Setting::txtFTPPort), 6960, 285, 1200, kFieldHeight, "Frame4", 0,
       txtFTPPort},
      {Kind::Label, "Label4", {}, "Username:", 180, 750, 1140, kCheckHeight, "Frame4"},
      {Kind::TextBox, "txtFTPUsername", {}, "", 1440, 705, 4200, kFieldHeight, "Frame4", 0,
       txtFTPUsername},
      {Kind::Label, "Label5", {}, "Password:", 5880, 750, 1020, kCheckHeight, "Frame4"},
      {Kind::TextBox, "txtFTPPassword", {}, "", 6960, 705, 2955, kFieldHeight, "Frame4",
       opt::kPassword, txtFTPPassword},
      {Kind::Label, "Label6", {}, "Folder:", 180, 1170, 1140, kCheckHeight, "Frame4"},
      {Kind::TextBox, "txtFTPFolder", {}, initial(Setting::txtFTPFolder), 1440, 1125, 8475, kFieldHeight, "Frame4", 0,
       txtFTPFolder},

      {Kind::Frame, "Frame5", {}, "Email Configuration", 60, 6300, 10095, 3255, "",
       opt::kHidden},
      {Kind::Label, "Label7", {}, "Email From:", 180, 330, 1140, kCheckHeight, "Frame5"},
      {Kind::TextBox, "txtEmailFrom", {}, initial(Setting::txtEmailFrom), 1440, 285, 3600, kFieldHeight, "Frame5", 0,
       txtEmailFrom},
      {Kind::Label, "Label8", {}, "Mail Server:", 5280, 330, 1260, kCheckHeight, "Frame5"},
      {Kind::TextBox, "txtServer", {}, initial(Setting::txtServer), 6600, 285, 1980, kFieldHeight, "Frame5", 0,
       txtServer},
      {Kind::Label, "Label9", {}, "Port:", 8700, 330, 500, kCheckHeight, "Frame5"},
      {Kind::TextBox, "txtPort", {}, initial(Setting::txtPort), 9240, 285, 675, kFieldHeight, "Frame5", 0, txtPort},
      {Kind::Label, "Label10", {}, "Email To:", 180, 750, 1140, kCheckHeight, "Frame5"},
      {Kind::TextBox, "txtEmailTo", {}, initial(Setting::txtEmailTo), 1440, 705, 3600, kFieldHeight, "Frame5", 0,
       txtEmailTo},
      {Kind::Label, "Label11", {}, "Username:", 180, 1170, 1140, kCheckHeight, "Frame5"},
      {Kind::TextBox, "txtUsername", {}, "", 1440, 1125, 3600, kFieldHeight, "Frame5", 0,
       txtUsername},
      {Kind::Label, "Label12", {}, "Password:", 5280, 1170, 1260, kCheckHeight, "Frame5"},
      {Kind::TextBox, "txtPassword2", {}, "", 6600, 1125, 1980, kFieldHeight, "Frame5",
       opt::kPassword, txtPassword2},
      {Kind::CheckBox, "chkAuth", {}, "Use Authentication", 1440, 1560, 3600, kCheckHeight,
       "Frame5", 0, chkAuth},
      {Kind::CheckBox, "chkAttachment", {}, "Send as Attachment", 5280, 1560, 3000,
       kCheckHeight, "Frame5", opt::kHidden, chkAttachment},
      {Kind::CommandButton, "cmdSend", {}, "Test", 8700, 1515, kButtonWidth, kButtonHeight,
       "Frame5", 0, cmdSend},
      {Kind::Label, "Label13", {}, "Enter the outgoing (SMTP) mail server of your e-mail provider.",
       180, 2010, 9735, kCheckHeight, "Frame5"},
      {Kind::Label, "Label14", {},
       "Your provider's help pages name it, often smtp. followed by the provider's domain.", 180,
       2310, 9735, kCheckHeight, "Frame5"},
      {Kind::Label, "Label15", {}, "The usual port is 25; many providers ask for 587 instead.",
       180, 2610, 9735, kCheckHeight, "Frame5"},
      {Kind::Label, "Label16", {},
       "Tick Use Authentication when the server asks for your username and password.", 180, 2910,
       9735, kCheckHeight, "Frame5"},

      // Templates of the skin's copies of the plain labels in their frames.
      {Kind::SkinLabel, "SkinLabel1", 0, "", 0, 0, 0, 0, "Frame5", opt::kHidden, SkinLabel1},
      {Kind::SkinLabel, "SkinLabel2", 0, "", 0, 0, 0, 0, "Frame4", opt::kHidden, SkinLabel2},
      {Kind::SkinLabel, "SkinLabel3", 0, "", 0, 0, 0, 0, "Frame3", opt::kHidden, SkinLabel3},
      {Kind::SkinLabel, "SkinLabel4", 0, "", 0, 0, 0, 0, "Frame2", opt::kHidden, SkinLabel4},
      {Kind::SkinLabel, "SkinLabel5", 0, "", 0, 0, 0, 0, "Frame1", opt::kHidden, SkinLabel5},
      {Kind::SkinLabel, "SkinLabel6", 0, "", 0, 0, 0, 0, "Frame5", opt::kHidden, SkinLabel6},
      // Shown only while a policy sets one of the boxes; placed under the frames at load.
      {Kind::Label, "lblPolicy", {},
       "Options shown dimmed are set by your administrator and cannot be changed here.", 180,
       kClientHeight, 9975, kCheckHeight, "", opt::kHidden, lblPolicy},
  });
  // clang-format on
  // Each stored control saves itself on every change; the fields' table says under which key.
  for (const options::Field& f : options::kFields) {
    if (f.setting == Setting::chkRunAtStart) continue;
    control(f.control()).on(f.kind == FieldKind::CheckBox ? Event::Click : Event::Change,
                          [this, &f] { setting_Change(f); });
  }
  bindEvents({
      {"chkRunAtStart", Event::Click, &frmOptions::chkRunAtStart_Click},
      {"cmdBrowse", Event::Click, &frmOptions::cmdBrowse_Click},
  });
}

void frmOptions::open() {
  show();
  activate();
}

void frmOptions::Form_Load() {
  const std::optional<bool> wakeAllowed =
      app_.wakeTimersAllowed ? app_.wakeTimersAllowed() : std::nullopt;
  const bool wakeBlocked = wakeAllowed == false;
  int height = wakeBlocked ? kClientHeight : kClientHeight - kWakeLineHeight;
  lblWakeBlocked.setVisible(wakeBlocked);
  if (!wakeBlocked) {
    chkWarn.setTop(chkWarn.top() - kWakeLineHeight);
    Frame1.setHeight(Frame1.height() - kWakeLineHeight);
  }
  // What an administrator set is shown as set, dimmed; the line under the frames says why.
  bool anyByPolicy = false;
  for (const options::Field& f : options::kFields) {
    const bool byPolicy = app_.options.setByPolicy(f.setting);
    control(f.control()).setEnabled(!byPolicy);
    anyByPolicy = anyByPolicy || byPolicy;
  }
  lblPolicy.setVisible(anyByPolicy);
  if (anyByPolicy) {
    lblPolicy.setTop(height);
    height += kPolicyLineHeight;
  }
  setClientSize(kClientWidth, height);
  app_.languages.translate(*this);
  setCaption(app_.languages.getMessages("MSG_TITLEOPTIONS"));
  for (Setting s : options::kLoadOrder) loadSetting(options::field(s));
  if (app_.skin) app_.skin(*this, gui::LabelCopies::ContainerOfFirst);
}

void frmOptions::loadSetting(const options::Field& f) {
  std::string stored = app_.options.get(f.setting);
  // Setting a control raises its click or change handling, as a user's edit does, but only
  // when its content changes: a stored value equal to the design is not saved back.
  if (f.kind == FieldKind::CheckBox) {
    control<gui::CheckBox>(f.control()).setValue(options::checkValue(stored));
    return;
  }
  gui::Control& field = control(f.control());
  const std::string shown = options::shownText(f, std::move(stored), app_.codec);
  if (field.caption() != shown) field.setCaption(shown);
}

void frmOptions::setting_Change(const options::Field& f) {
  const std::string value = f.kind == FieldKind::CheckBox
                                ? std::to_string(control<gui::CheckBox>(f.control()).value())
                                : options::storedText(f, control(f.control()).caption(), app_.codec);
  app_.options.set(f.setting, value);
}

void frmOptions::chkRunAtStart_Click() { ApplyRunAtStart(); }

void frmOptions::ApplyRunAtStart() {
  applyRunAtStart(chkRunAtStart.value() == 1, app_.options, app_.registry, app_.modulePath);
}

void frmOptions::cmdBrowse_Click() {
  const auto folder = app_.dialogs.browseForFolder(control("Frame3").caption(),
                                                   reinterpret_cast<WindowHandle>(hwnd()));
  if (folder && !folder->empty()) txtLanFolder.setText(*folder);
}

}  // namespace quenmark
