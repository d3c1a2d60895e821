#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <set>
#include <string>

#include "core/i18n/localization_file.h"
#include "core/schedule/regional_time.h"
#include "core/schedule/schedule_file.h"
#include "support/gui_pump_win32.h"
#include "support/main_window_fixture_win32.h"
#include "support/program_harness_win32.h"
#include "support/screenshot_win32.h"

namespace quenmark::testing {
namespace {

using namespace std::chrono_literals;

// What a window shows, by place ("frmMain.cmbTime.item3"): its title, the captions of its
// controls, combo items, list headers and cells, tree nodes and menu entries that can be
// seen. Text boxes hold what the user typed and date pickers what the system draws.
using Texts = std::map<std::string, std::string>;

bool seen(const gui::Control& c) {
  for (const gui::Control* p = &c; p; p = p->container()) {
    if (!p->visible()) return false;
  }
  return true;
}

void collect(gui::Form& form, Texts& out) {
  const std::string w = form.name() + ".";
  out[w + "title"] = form.caption();
  for (TranslatableControl* t : form.controls()) {
    const std::string at =
        w + t->name() + (t->index() ? "(" + std::to_string(*t->index()) + ")" : "");
    auto put = [&](const std::string& part, int n, const std::string& text) {
      out[at + part + std::to_string(n)] = text;
    };
    if (auto* m = dynamic_cast<gui::MenuItem*>(t)) {
      if (!m->separator() && !m->hidden()) out[at] = m->caption();
      continue;
    }
    auto* c = dynamic_cast<gui::Control*>(t);
    if (!c || !c->created() || !seen(*c)) continue;
    if (auto* box = dynamic_cast<gui::ComboBox*>(c)) {
      out[at] = box->text();
      for (int i = 0; i < box->listCount(); ++i) put(".item", i, box->list(i));
    } else if (auto* list = dynamic_cast<gui::ListView*>(c)) {
      for (int n = 1; n <= list->columnCount(); ++n) put(".col", n, list->columnText(n));
      for (int r = 0; r < list->itemCount(); ++r) {
        for (int n = 0; n < list->columnCount(); ++n) {
          put(".row" + std::to_string(r) + ".cell", n, list->itemText(r, n));
        }
      }
    } else if (auto* tree = dynamic_cast<gui::TreeView*>(c)) {
      for (int n = 1; n <= tree->nodeCount(); ++n) put(".node", n, tree->nodeText(n));
    } else if (c->kind() != gui::Kind::TextBox && c->kind() != gui::Kind::DTPicker) {
      out[at] = c->caption();
    }
  }
}

// Dates, times, versions and counts.
bool number(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char ch) { return ch < 0x80 && !std::isalpha(ch); });
}

// Words a language writes as English does; each with its reason.
struct Same {
  const char* language;
  const char* text;
  const char* why;
};
constexpr Same kSame[] = {
    {"Deutsch", "OK", "the button word in German too"},
    {"Deutsch", "In 1 Minute", "German words, German order"},
    {"Deutsch", "Start:", "German for the start of a run"},
    {"Deutsch", "Version:", "German for version"},
    {"Deutsch", "Website:", "the German loan word"},
    {"Français", "OK", "the button word in French too"},
    {"Français", "Action", "the French word for the menu"},
    {"Français", "Type", "the French word for the column"},
    {"Français", "Condition", "the French word for the window's title"},
    {"Español", "No", "Spanish for no"},
    {"Español", "Id", "the abbreviation Spanish uses for a process number"},
    {"Italiano", "OK", "the button word in Italian too"},
    {"Italiano", "File", "the Italian name of the File menu, as Windows has it"},
    {"Italiano", "No", "Italian for no"},
    {"Português (Brasil)", "OK", "the button word in Brazilian Portuguese too"},
    {"Polski", "OK", "the button word in Polish too"},
    {"Polski", "Program", "the Polish word for a program"},
    {"日本語", "OK", "the button word in Japanese too"},
};

bool sameInLanguage(const std::string& language, const std::string& text) {
  return std::any_of(std::begin(kSame), std::end(kSame), [&](const Same& s) {
    return s.language == language && text == s.text;
  });
}

// The program as WinMain wires it, started in each shipped language with every window the
// program translates open: a text that reads as it does in English must be a name, a
// number or a word that language shares. The splash and web windows are not translated by
// design and are left out.
class EveryTextTranslatedTest : public ::testing::Test, public ProgramHarness {
 protected:
  std::string date(int day) const {
    return formatShortDate(std::chrono::year{2025} / 3 / day, seams.regional.formats());
  }
  void write(const ScheduleRecord& r) {
    ASSERT_TRUE(writeTestFile(scheduleFilePath(folder.path(), r.Name),
                              seams.codec.utf8ToAnsi(scheduleFileText(r))));
  }
  void picture(gui::Form& form, const std::string& name) {
    form.activate();
    pumpFor(program->forms(), 200ms);
    EXPECT_TRUE(saveWindowBitmap(form.hwnd(), screenshotFolder() + "\\" + name));
  }

  // Every translated window open in `language`, and what they all show; `names` gets the
  // names shown: the product, its maker and site, the schedules and the languages.
  Texts openAll(const std::string& language, const std::string& pictures) {
    ProgramHarness::setUser("Language", language);
    clock.set(at(2025, 3, 14, 10, 0, 30));
    start();
    frmMain& main = *program->mainWindow();
    // The quick timer away from its first items: in two hours, reboot.
    main.control<gui::ComboBox>("cmbTime").setListIndex(6);
    main.control<gui::ComboBox>("cbShutdown").setListIndex(1);
    if (!pictures.empty()) picture(main, "texts-main-" + pictures + ".bmp");
    main.scheduler()->quickSchedule("In 1 Minute", "Log Off");
    clock.advance(61s);
    EXPECT_TRUE(pumpUntil(program->forms(), [&] { return isLoaded("frmCountdown"); })) << language;
    AppWindows& w = program->windows();
    w.wizard(weekly);
    w.options();
    w.language(false);
    w.about();
    w.stillRunning();
    w.condition("Shut Down");
    Texts texts;
    for (gui::Form* f : program->forms().list()) {
      if (!f->visible()) continue;
      collect(*f, texts);
      if (!pictures.empty() && (f->name() == "frmCountdown" || f->name() == "frmStillRunning")) {
        picture(*f, "texts-" + f->name() + "-" + pictures + ".bmp");
      }
    }
    // The running programs the Condition window lists are names, and they come and go.
    std::erase_if(texts, [](const auto& t) {
      return t.first.starts_with("frmCondition.lstPrograms.row");
    });
    const ProductIdentity& id = program->app().identity;
    names = {id.ProgramName, id.CompanyName, id.Website};
    const ScheduleList& list = program->app().schedules.list();
    for (std::size_t i = 0; i < list.count(); ++i) names.insert(list.at(i).text);
    for (const std::string& name : languageGroupNames(shippedLocalization())) names.insert(name);
    return texts;
  }

  ScheduleRecord weekly;  // the wizard edits it, showing the days of the week
  std::set<std::string> names;
};

TEST_F(EveryTextTranslatedTest, EveryWindowSpeaksEveryShippedLanguage) {
  setMachine("chkWarn", "1");
  weekly = {.Name = "Night", .ItemType = "Shut Down", .Enabled = true, .StartDate = date(17),
            .StartTime = "22:30:00", .Repeat = true, .SAccurancy = 1, .Period = "mon,fri"};
  write(weekly);
  write({.Name = "Lunch", .ItemType = "Hibernate", .Enabled = false});
  write({.Name = "Weekend", .ItemType = "Stand by", .Enabled = true, .StartDate = date(15),
         .StartTime = "08:00:00", .Repeat = true, .SAccurancy = 0});
  const Texts english = openAll("English", "");
  for (const char* at : {"frmMain.cmbTime.item0", "frmWizard.cbShutdown.item0",
                         "frmMain.lstSchedules.row0.cell1", "frmCountdown.lblAction",
                         "frmWizard.tvScheduleWeek.node1", "frmStillRunning.Label2",
                         "frmCondition.optKind(1)", "frmCondition.cbAction.item0"}) {
    ASSERT_TRUE(english.count(at)) << at;
  }
  std::string faults;
  for (const std::string& language : languageGroupNames(shippedLocalization())) {
    if (language == "English") continue;
    const std::string pictures = language == "Deutsch" ? "de" : language == "日本語" ? "ja" : "";
    const Texts texts = openAll(language, pictures);
    EXPECT_EQ(texts.size(), english.size()) << language;
    for (const auto& [at, text] : texts) {
      auto en = english.find(at);
      if (en == english.end() || en->second != text || text.empty()) continue;
      if (names.count(text) || number(text) || sameInLanguage(language, text)) continue;
      faults += language + " " + at + ": " + text + "\n";
    }
  }
  EXPECT_EQ(faults, "");
}

}  // namespace
}  // namespace quenmark::testing
