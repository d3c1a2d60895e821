#pragma once

#include "platform/shell.h"
#include "platform/win32/shell_api_win32.h"

namespace quenmark::win32 {

class Win32Shell final : public Shell {
 public:
  std::intptr_t execute(WindowHandle owner, const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCommand) override;
  Status startProcess(const std::string& commandLine) override;

 private:
  Shell32Api shell32_;
};

}  // namespace quenmark::win32
