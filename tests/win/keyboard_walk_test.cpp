#include <gtest/gtest.h>

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "core/schedule/regional_time.h"
#include "core/schedule/schedule_file.h"
#include "platform/win32/text_win32.h"
#include "support/gui_pump_win32.h"
#include "support/program_harness_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// One run of the program as a keyboard user meets it: in a language and a palette.
struct Session {
  const char* language;
  bool dark;
};

// The name assistive technology reads for a window, through the accessibility API.
std::string accessibleName(HWND window) {
  IAccessible* acc = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                        __uuidof(IAccessible), reinterpret_cast<void**>(&acc))) ||
      !acc) {
    return "(no accessible object)";
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  std::string out;
  if (acc->get_accName(self, &name) == S_OK && name) out = win32::narrow(name);
  SysFreeString(name);
  acc->Release();
  return out;
}

// The control's client area as it paints itself now.
std::vector<std::uint32_t> picture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> out(p, p + static_cast<std::size_t>(r.right) * r.bottom);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return out;
}

// A button or box as it looked with the focus: its picture and its style (Enter's default
// moves with the focus).
struct FocusedLook {
  std::vector<std::uint32_t> pixels;
  UINT style;
};

FocusedLook lookOf(HWND window) {
  return {picture(window), static_cast<UINT>(GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK)};
}

// Once the focus has moved on, the control in the style it had looks different: the mark of
// the focus is gone. (Wine keeps focus marks always on, so hiding them cannot be used.)
bool showedFocus(HWND window, const FocusedLook& focused) {
  const UINT now = static_cast<UINT>(GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK);
  if (now != focused.style) SendMessageW(window, BM_SETSTYLE, focused.style, FALSE);
  const bool differs = picture(window) != focused.pixels;
  if (now != focused.style) SendMessageW(window, BM_SETSTYLE, now, FALSE);
  return differs;
}

void CALLBACK endMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

// Reading order: a control whose middle lies above another's top edge comes first; controls
// side by side, left to right.
bool readsBefore(const RECT& a, const RECT& b) {
  if ((a.top + a.bottom) / 2 < b.top) return true;
  if ((b.top + b.bottom) / 2 < a.top) return false;
  return a.left < b.left;
}

RECT screenRect(const gui::Control& c) {
  RECT r{};
  GetWindowRect(c.hwnd(), &r);
  return r;
}

class KeyboardWalk : public ::testing::TestWithParam<Session>, public ProgramHarness {
 protected:
  void SetUp() override {
    setUser("Language", GetParam().language);
    ScheduleRecord night{
        .Name = "Night",
        .ItemType = "Shut Down",
        .Enabled = true,
        .StartDate = formatShortDate(std::chrono::year{2025} / 3 / 20, seams.regional.formats()),
        .StartTime = "22:30:00"};
    ASSERT_TRUE(writeTestFile(scheduleFilePath(folder.path(), night.Name),
                              seams.codec.utf8ToAnsi(scheduleFileText(night))));
    start();
    ASSERT_NE(program->skin(), nullptr);
    const DisplaySettings settings{.appsDark = GetParam().dark};
    program->skin()->setSettingsSource([settings] { return settings; });
    program->skin()->settingsChanged();
  }

  gui::Forms& forms() { return program->forms(); }
  gui::Form* find(const std::string& name) { return forms().find(name); }
  frmMain& main() { return *program->mainWindow(); }

  void pump() { pumpFor(forms(), 30ms); }
  // A key as the keyboard sends it to the focused window, through the program's loop.
  void press(WPARAM key) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    pump();
  }
  // Alt held with the letter of a menu on the window's bar (the context bit says so), then,
  // once the menu waits for a key, the letter of one of its items.
  void menuKeys(gui::Form& w, wchar_t menu, wchar_t item) {
    HWND focus = GetFocus();
    const WPARAM m = static_cast<WPARAM>(std::towupper(menu));
    const WPARAM i = static_cast<WPARAM>(std::towupper(item));
    bool typed = false;
    w.hookMessage(WM_ENTERIDLE, [&](std::uintptr_t, std::intptr_t) {
      if (!typed && menuOpen(w)) {
        PostMessageW(GetFocus(), WM_KEYDOWN, i, 1);
        PostMessageW(GetFocus(), WM_KEYUP, i, 0xC0000001);
        typed = true;
      }
      return std::optional<std::intptr_t>();
    });
    PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
    PostMessageW(focus, WM_SYSKEYDOWN, m, 0x20000001);
    PostMessageW(focus, WM_SYSKEYUP, m, 0xE0000001);
    PostMessageW(focus, WM_KEYUP, VK_MENU, 0xC0000001);
    // A menu left open would hold the test in its loop.
    const UINT_PTR guard = SetTimer(nullptr, 0, 2000, endMenu);
    pump();
    KillTimer(nullptr, guard);
    w.unhookMessage(WM_ENTERIDLE);
  }

  static bool menuOpen(gui::Form& w) {
    HMENU bar = GetMenu(w.hwnd());
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
      if (GetMenuState(bar, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return true;
    }
    return false;
  }

  gui::Control* focused(gui::Form& w) {
    HWND focus = GetFocus();
    for (TranslatableControl* t : w.controls()) {
      auto* c = dynamic_cast<gui::Control*>(t);
      if (c && c->created() && (c->hwnd() == focus || IsChild(c->hwnd(), focus))) return c;
    }
    return nullptr;
  }

  // Tabs once round the window from its first stop: every control with a tab stop receives
  // the focus exactly once, in reading order, shows it, and has a name, as has every label.
  void walk(gui::Form& w) {
    SCOPED_TRACE(w.name());
    w.activate();
    pump();
    std::vector<gui::Control*> stops;
    for (TranslatableControl* t : w.controls()) {
      auto* c = dynamic_cast<gui::Control*>(t);
      if (!c || !c->created() || !IsWindowVisible(c->hwnd())) continue;
      if (IsWindowEnabled(c->hwnd()) && (GetWindowLongW(c->hwnd(), GWL_STYLE) & WS_TABSTOP)) {
        stops.push_back(c);
      }
      if (c->kind() == gui::Kind::Label || c->kind() == gui::Kind::SkinLabel) expectName(*c);
    }
    if (stops.empty()) return;
    // The first stop of the window's order, which must be where reading starts.
    SetFocus(GetNextDlgTabItem(w.hwnd(), nullptr, FALSE));
    std::vector<gui::Control*> seen;
    gui::Control* first = focused(w);
    if (!first) {
      ADD_FAILURE() << "nothing in the window has the focus";
      return;
    }
    for (gui::Control* c = first; c && seen.size() < 60;) {
      if (std::find(seen.begin(), seen.end(), c) != seen.end()) {
        ADD_FAILURE() << c->name() << " has the focus twice in one round";
        break;
      }
      seen.push_back(c);
      expectName(*c);
      const gui::Kind k = c->kind();
      const bool painted =
          k == gui::Kind::CommandButton || k == gui::Kind::CheckBox || k == gui::Kind::OptionButton;
      const FocusedLook look = painted ? lookOf(c->hwnd()) : FocusedLook{};
      press(VK_TAB);
      if (painted) {
        EXPECT_TRUE(showedFocus(c->hwnd(), look)) << c->name() << " shows no focus";
      }
      gui::Control* before = c;
      c = focused(w);
      EXPECT_NE(c, before) << "Tab stays on " << before->name();
      if (c == first) break;
    }
    for (gui::Control* c : stops) {
      EXPECT_NE(std::find(seen.begin(), seen.end(), c), seen.end())
          << c->name() << " never receives the focus";
    }
    EXPECT_EQ(seen.size(), stops.size());
    for (std::size_t i = 1; i < seen.size(); ++i) {
      EXPECT_FALSE(readsBefore(screenRect(*seen[i]), screenRect(*seen[i - 1])))
          << seen[i]->name() << " comes after " << seen[i - 1]->name();
    }
  }

  // Buttons, boxes and labels are read by their captions, a list by its column headers;
  // a field by a name of its own, not by what it holds.
  void expectName(gui::Control& c) {
    const std::string name = accessibleName(c.hwnd());
    switch (c.kind()) {
      case gui::Kind::CommandButton:
      case gui::Kind::CheckBox:
      case gui::Kind::OptionButton:
      case gui::Kind::Label:
      case gui::Kind::SkinLabel:
        EXPECT_EQ(name, c.caption()) << c.name();
        break;
      case gui::Kind::ListView: {
        auto& list = static_cast<gui::ListView&>(c);
        std::string headers;
        for (int n = 1; n <= list.columnCount(); ++n) {
          headers += (n > 1 ? ", " : "") + list.columnText(n);
        }
        EXPECT_EQ(name, headers) << c.name();
        break;
      }
      default:
        EXPECT_FALSE(name.empty()) << c.name();
        EXPECT_NE(name, c.caption()) << c.name() << " is read by its content";
        break;
    }
  }

  // Escape does what the window's cancel button does, or closes a window without one that
  // is made to close so; Enter presses the focused button, else the default one.
  void keyCloses(gui::Form& w, WPARAM key, const char* focusOn = nullptr) {
    SCOPED_TRACE(w.name());
    w.activate();
    pump();
    if (focusOn) w.control(focusOn).setFocus();
    press(key);
    EXPECT_FALSE(w.loaded()) << (key == VK_ESCAPE ? "Escape" : "Enter") << " leaves it open";
  }
};

TEST_P(KeyboardWalk, EveryWindowIsUsedToItsEndWithTheKeyboardAlone) {
  const bool english = std::string(GetParam().language) == "English";
  if (!english) {
    EXPECT_NE(main().control("cmdNewSchedule").caption(), "New Schedule");
  }
  AppWindows& windows = program->windows();

  // The main window: the commands, then the list; a row chosen with the arrow keys brings
  // Edit and Delete into the round.
  walk(main());
  main().control("lstSchedules").setFocus();
  press(VK_DOWN);
  EXPECT_TRUE(IsWindowEnabled(main().control("cmdEdit").hwnd()));
  walk(main());

  // New Schedule by the keyboard; the wizard's round grows as its boxes are ticked.
  main().control("cmdNewSchedule").setFocus();
  press(VK_SPACE);
  ASSERT_NE(find("frmWizard"), nullptr);
  gui::Form& wizard = *find("frmWizard");
  walk(wizard);
  for (const char* box : {"chkScheduler", "chkRepeat"}) {
    wizard.control(box).setFocus();
    press(VK_SPACE);
  }
  wizard.control("optRepeat", 0).setFocus();
  press(VK_DOWN);
  EXPECT_TRUE(IsWindowVisible(wizard.control("tvScheduleWeek").hwnd())) << "Weekly by the arrow";
  walk(wizard);
  keyCloses(wizard, VK_RETURN, "cmdCancel");

  // The menus have no access-key marks: Alt and the first letter of the translated caption.
  if (english) {
    main().activate();
    menuKeys(main(), L'F', L'G');
    ASSERT_NE(find("frmOptions"), nullptr) << "Alt+F, G opens the preferences";
  } else {
    windows.options();
  }
  walk(*find("frmOptions"));
  keyCloses(*find("frmOptions"), VK_ESCAPE);

  windows.language(false);
  walk(*find("frmLanguage"));
  keyCloses(*find("frmLanguage"), VK_ESCAPE);
  windows.about();
  walk(*find("frmAbout"));
  keyCloses(*find("frmAbout"), VK_ESCAPE);
  windows.stillRunning();
  walk(*find("frmStillRunning"));
  keyCloses(*find("frmStillRunning"), VK_RETURN);
  windows.countdown();
  walk(*find("frmCountdown"));
  keyCloses(*find("frmCountdown"), VK_ESCAPE);
  windows.condition("Shut Down");
  walk(*find("frmCondition"));
  keyCloses(*find("frmCondition"), VK_ESCAPE);
  windows.website();
  walk(*find("frmWebsite"));
  closeBox(*find("frmWebsite"));
  EXPECT_TRUE(dialogs.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Sessions, KeyboardWalk,
                         ::testing::Values(Session{"English", false}, Session{"Deutsch", true}),
                         [](const ::testing::TestParamInfo<Session>& session) {
                           return std::string(session.param.dark ? "GermanDark" : "EnglishLight");
                         });

}  // namespace
}  // namespace quenmark::testing
