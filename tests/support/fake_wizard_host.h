#pragma once

#include <string>
#include <vector>

#include "core/wizard/wizard_host.h"

namespace quenmark::testing {

// The main window as the wizard sees it: a list of names the test sets, and a count of the
// reloads asked for.
class FakeWizardHost : public WizardHost {
 public:
  std::vector<std::string> names;
  int loadDataCalls = 0;

  std::vector<std::string> scheduleNames() const override { return names; }
  void loadData() override { ++loadDataCalls; }
};

}  // namespace quenmark::testing
