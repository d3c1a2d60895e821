#pragma once

#include <string>
#include <vector>

namespace quenmark {

// What the schedule wizard needs of the main window: the names in its schedule list (for
// the duplicate check) and a reload of that list after a save.
class WizardHost {
 public:
  virtual ~WizardHost() = default;
  virtual std::vector<std::string> scheduleNames() const = 0;
  virtual void loadData() = 0;
};

}  // namespace quenmark
