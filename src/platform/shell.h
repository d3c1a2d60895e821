#pragma once

#include <cstdint>
#include <string>

#include "platform/result.h"
#include "platform/window_handle.h"

namespace quenmark {

// Show commands as ShowWindow takes them.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;

// The shell: opening documents and starting programs.
class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute: performs `verb` ("open") on `file` for the window `owner`. The system's
  // result: above 32 on success, an error code otherwise.
  virtual std::intptr_t execute(WindowHandle owner, const std::string& verb,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showCommand) = 0;
  // CreateProcess: starts `commandLine` as a new process with a normal, focused window and
  // does not wait for it.
  virtual Status startProcess(const std::string& commandLine) = 0;
};

}  // namespace quenmark
