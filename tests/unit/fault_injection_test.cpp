#include <gtest/gtest.h>

#include <string>

#include "core/wizard/wizard_model.h"
#include "core/schedule/schedule_file.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fault_tally.h"

namespace quenmark::testing {
namespace {

const std::string kFolder = "C:\\Quenmark";
const SysError kDenied{5, "Access is denied."};

// A data folder with two schedules, as the wizard meets it.
FakeFileSystem twoSchedules() {
  FakeFileSystem fs;
  fs.addDirectory(kFolder + "\\data");
  fs.addFile(scheduleFilePath(kFolder, "Morning"), "morning bytes");
  fs.addFile(scheduleFilePath(kFolder, "Night"), "night bytes");
  return fs;
}

// OK in the wizard, for a new schedule and over an existing one, with each file call of the
// save failing in turn: either the schedule is saved, or the error is shown and every file is
// as it was.
TEST(FaultInjection, EveryFailedCallOfAWizardSaveKeepsTheOldFilesOrSavesTheNewOne) {
  const Cp1252Codec codec;
  const struct {
    const char* scenario;
    std::string name;
    bool editing;
  } saves[] = {{"wizard: save a new schedule", "Evening", false},
               {"wizard: save over an existing schedule", "Night", true}};
  for (const auto& s : saves) {
    wizard::WizardModel m = wizard::newSchedule(at(2026, 6, 3, 9), "Reboot");
    m.name = s.name;
    m.editing = s.editing;
    m.hasStart = true;
    const wizard::OkInputs in{{"Morning", "Night"},
                              "Quenmark",
                              [](const std::string& key) { return key; },
                              {"M/d/yyyy"},
                              kFolder};
    FakeFileSystem dry = twoSchedules();
    const auto before = dry.files();
    ASSERT_TRUE(wizard::cmdOK_Click(m, in, dry, codec).saved);
    const auto after = dry.files();
    ASSERT_NE(before, after);

    FaultTally tally(s.scenario);
    for (std::size_t n = 1; n <= dry.calls.size(); ++n) {
      FakeFileSystem fs = twoSchedules();
      fs.failCall(n, kDenied);
      const wizard::OkResult r = wizard::cmdOK_Click(m, in, fs, codec);
      const std::string call = fs.calls.at(n - 1);
      SCOPED_TRACE(call);
      if (r.saved) {
        // Only the search for a file the list does not show may fail unnoticed: the name is
        // new to the list, and the save goes on.
        EXPECT_EQ(call.rfind("find ", 0), 0u);
        EXPECT_FALSE(r.message);
        EXPECT_EQ(fs.files(), after);
        tally.note(call.substr(0, call.find(' ')), "saved");
      } else {
        ASSERT_TRUE(r.message);
        EXPECT_EQ(r.message->text, "Error 5 - Access is denied.");
        EXPECT_EQ(fs.files(), before);
        tally.note(call.substr(0, call.find(' ')),
                   "\"Error 5 - Access is denied.\", old files kept");
      }
    }
  }
}

}  // namespace
}  // namespace quenmark::testing
