#pragma once

#include <map>
#include <string>

#include "platform/version_info.h"

namespace quenmark::testing {

// Version information held in a map of field names to texts.
class FakeVersionInfo : public VersionInfo {
 public:
  FakeVersionInfo() = default;
  explicit FakeVersionInfo(std::map<std::string, std::string> fields, ProgramVersion v = {1, 0})
      : fields_(std::move(fields)), version_(v) {}
  std::string field(const std::string& name) const override {
    auto it = fields_.find(name);
    return it == fields_.end() ? std::string() : it->second;
  }
  ProgramVersion version() const override { return version_; }

 private:
  std::map<std::string, std::string> fields_;
  ProgramVersion version_{1, 0};
};

}  // namespace quenmark::testing
