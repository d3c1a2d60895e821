#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <set>

#include "app/program_win32.h"
#include "base/text.h"
#include "core/i18n/localization_file.h"
#include "platform/win32/text_win32.h"
#include "support/fake_http.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// A translated window: how the program loads it, and the controls whose captions its load
// fills from data (compared by key alone). A window still being built has no loader yet,
// and its shipped lines wait unchecked until it has one.
struct TranslatedWindow {
  std::string name;
  std::function<void()> load;
  Lines filledAtLoad{};
};

// The program's windows with their contexts as WinMain makes them, in the temporary program
// folder of the main-window fixture, which holds the shipped Localization.xml.
class ShippedLocalizationTest : public MainWindowTest {
 protected:
  // Every line of the Condition window shows, the battery's too.
  ShippedLocalizationTest() { meters.batteryState.present = true; }
  ~ShippedLocalizationTest() override { exitProgram(); }

  // Every translated window; adding one is one line here.
  std::vector<TranslatedWindow> translatedWindows() {
    using win32::languageContext, win32::optionsContext, win32::wizardContext;
    // clang-format off
    return {
      {"frmMain", [this] { load(); }},
      {"frmWizard", [this] { LoadWizardForTemplate(keep<frmWizard>(wizardContext(app))); }},
      {"frmOptions", [this] { keep<frmOptions>(optionsContext(app)).open(); }},
      {"frmLanguage", [this] { keep<frmLanguage>(languageContext(app, http, *main)).open(false); }},
      {"frmAbout", [this] { keep<frmAbout>(win32::aboutContext(app)).open(); },
       {"lblVersion", "lblCompany", "lblWebsite"}},
      {"frmStillRunning",
       [this] { keep<frmStillRunning>(win32::stillRunningContext(app, *main)).open(); }},
      {"frmCountdown", [this] { keep<frmCountdown>(win32::countdownContext(app)).open(); },
       {"lblAction", "lblSchedule", "lblSeconds"}},
      {"frmCondition",
       [this] { keep<frmCondition>(win32::conditionContext(app)).open("Shut Down"); }},
    };
    // clang-format on
  }

  // Loads every window afresh in `language`.
  void loadAll(const std::string& language) {
    exitProgram();
    others.clear();
    app.options.set(Setting::Language, language);
    for (const TranslatedWindow& w : translatedWindows()) {
      if (w.load) w.load();
    }
  }

  template <class W, class... Args>
  W& keep(Args&&... args) {
    others.push_back(std::make_unique<W>(forms, std::forward<Args>(args)...));
    return static_cast<W&>(*others.back());
  }

  FakeHttp http;
  std::vector<std::unique_ptr<gui::Form>> others;  // they go before the main window
};

// The item lines of the English group, sorted: the template lists the windows in the order
// they were loaded, which is the user's doing, not a property of the file. Placeholders
// read as the fixture's identity, as a window shows them; lines of the windows in `skip`
// are left out and the texts of `keyOnly` items are blanked.
Lines englishItems(const std::string& file, const std::set<std::string>& skip,
                   const std::set<std::string>& keyOnly) {
  Lines items;
  for (std::string line : readTranslationLines(file, "English").value_or(Lines{})) {
    if (line.find('<') == std::string::npos) continue;
    const std::string key = line.substr(0, line.find('>')).substr(line.find('<') + 1);
    if (skip.count(key.substr(0, key.find('_')))) continue;
    line = replaceNoCase(line, "[ProgramName]", "Quenmark");
    line = replaceNoCase(line, "[CompanyName]", "Tarvossa");
    line = replaceNoCase(line, "[Website]", "quenmark.example");
    items.push_back(keyOnly.count(key) ? key : line);
  }
  std::sort(items.begin(), items.end());
  return items;
}

// The lines of sorted `a` that sorted `b` lacks, one a line.
std::string linesNotIn(const Lines& a, const Lines& b) {
  Lines left;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(left));
  std::string text;
  for (const std::string& line : left) text += line + "\n";
  return text;
}

// The template writer, run as the program runs it, over windows loaded without the file
// (so that they hold their built-in texts, not the file's echoed back), writes exactly the
// shipped English group: a control or message without its English line fails here, and
// the unit test ShippedFileTest asks every other language for that line.
TEST_F(ShippedLocalizationTest, TheEnglishGroupIsTheTemplateOfTheProgramsWindows) {
  const std::string shipped = shippedLocalization();
  ASSERT_TRUE(DeleteFileW(win32::widen(folder / "Localization.xml").c_str()));
  std::set<std::string> pending, keyOnly;
  for (const TranslatedWindow& w : translatedWindows()) {
    if (!w.load) pending.insert(upperCase(w.name));
    for (const std::string& c : w.filledAtLoad) keyOnly.insert(upperCase(w.name + "_" + c));
  }
  loadAll("English");
  main->makeLocalizationFile();

  const Lines english = englishItems(shipped, pending, keyOnly);
  const Lines written =
      englishItems(codec.ansiToUtf8(readTestFile(folder / "Localization.txt")), {}, keyOnly);
  EXPECT_GT(english.size(), 100u);
  EXPECT_EQ(linesNotIn(written, english), "") << "written by the windows, not shipped in English";
  EXPECT_EQ(linesNotIn(english, written), "") << "shipped in English, written by no window";
}

// Whether a visible caption shows whole in its control's font: on one line for buttons and
// frames, within the height for labels and boxes, which wrap.
bool captionFits(const gui::Control& c) {
  for (const gui::Control* p = &c; p; p = p->container()) {
    if (!p->visible()) return true;
  }
  const std::wstring text = win32::widen(c.caption());
  RECT client{};
  GetClientRect(c.hwnd(), &client);
  LONG room = client.right;
  UINT flags = DT_CALCRECT | DT_SINGLELINE;
  switch (c.kind()) {
    case gui::Kind::CommandButton:
      room -= 2 * GetSystemMetrics(SM_CXEDGE) + 2;
      break;
    case gui::Kind::CheckBox:
    case gui::Kind::OptionButton:
      room -= GetSystemMetrics(SM_CXMENUCHECK) + 3;
      flags = DT_CALCRECT | DT_WORDBREAK;
      break;
    case gui::Kind::Frame:
      room -= 16;
      break;
    case gui::Kind::Label:
    case gui::Kind::SkinLabel:
      flags = DT_CALCRECT | DT_WORDBREAK;
      break;
    default:
      return true;
  }
  HDC dc = GetDC(c.hwnd());
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(c.hwnd(), WM_GETFONT, 0, 0)));
  RECT need{0, 0, room, 0};
  DrawTextW(dc, text.c_str(), -1, &need, flags);
  SelectObject(dc, old);
  ReleaseDC(c.hwnd(), dc);
  return need.right <= room && need.bottom <= client.bottom;
}

// Every shipped language on every window: each caption that shows fits its control. The
// main window is kept as a picture in three of them, one in Japanese script.
TEST_F(ShippedLocalizationTest, EveryCaptionFitsItsControlInEveryLanguage) {
  const struct {
    const char* language;
    const char* newSchedule;
    const char* picture;
  } pictured[] = {
      {"English", "New Schedule", "main-en.bmp"},
      {"Deutsch", "Neuer Zeitplan", "main-de.bmp"},
      {"日本語", "新規作成", "main-ja.bmp"},
  };
  std::string faults;
  for (const std::string& language : languageGroupNames(shippedLocalization())) {
    loadAll(language);
    for (gui::Form* form : forms) {
      for (TranslatableControl* t : form->controls()) {
        auto* c = dynamic_cast<gui::Control*>(t);
        if (c && !captionFits(*c)) {
          faults += language + " " + form->name() + "." + c->name() + ": " + c->caption() + "\n";
        }
      }
    }
    for (const auto& p : pictured) {
      if (language != p.language) continue;
      EXPECT_EQ(main->control("cmdNewSchedule").caption(), p.newSchedule);
      main->activate();
      pumpFor(forms, 200ms);
      EXPECT_TRUE(saveWindowBitmap(main->hwnd(), screenshotFolder() + "\\" + p.picture));
    }
  }
  EXPECT_TRUE(faults.empty()) << faults;
}

}  // namespace
}  // namespace quenmark::testing
