#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace quenmark::testing {

// Records what would have been opened or started; starts nothing.
class FakeShell : public Shell {
 public:
  struct Execute {
    WindowHandle owner;
    std::string verb, file, parameters, directory;
    int showCommand;
  };

  std::vector<Execute> executed;
  std::vector<std::string> started;
  std::intptr_t executeResult = 42;  // above 32: success
  Status startResult;

  std::intptr_t execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCommand) override {
    executed.push_back({owner, verb, file, parameters, directory, showCommand});
    return executeResult;
  }
  Status startProcess(const std::string& commandLine) override {
    started.push_back(commandLine);
    return startResult;
  }
};

}  // namespace quenmark::testing
