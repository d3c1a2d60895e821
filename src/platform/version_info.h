#pragma once

#include <string>

namespace quenmark {

// The string fields of a program's version information ("ProductName", "CompanyName",
// "Comments", ...), in the language its translation table names first.
class VersionInfo {
 public:
  virtual ~VersionInfo() = default;
  // The field's text; empty when the field or the version information is missing.
  virtual std::string field(const std::string& name) const = 0;
};

}  // namespace quenmark
