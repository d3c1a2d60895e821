#pragma once

#include <string>

namespace quenmark {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  friend bool operator==(const ProgramVersion&, const ProgramVersion&) = default;
};

// The string fields of a program's version information ("ProductName", "CompanyName",
// "Comments", ...), in the language its translation table names first.
class VersionInfo {
 public:
  virtual ~VersionInfo() = default;
  // The field's text; empty when the field or the version information is missing.
  virtual std::string field(const std::string& name) const = 0;
  // The file version's major and minor numbers (2.4 for 2.4.0.0); 0.0 when it has none.
  virtual ProgramVersion version() const = 0;
};

}  // namespace quenmark
