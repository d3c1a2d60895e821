#pragma once

#include <string>

#include "platform/version_info.h"

namespace quenmark::win32 {

// The version information of an executable file: by default the running program's own.
class FileVersionInfo final : public VersionInfo {
 public:
  FileVersionInfo();                                  // the running program
  explicit FileVersionInfo(const std::string& path);  // any file, path in UTF-8
  std::string field(const std::string& name) const override;
  ProgramVersion version() const override;

 private:
  std::wstring path_;
};

}  // namespace quenmark::win32
