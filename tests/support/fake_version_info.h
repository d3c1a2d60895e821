#pragma once

#include <map>
#include <string>

#include "platform/version_info.h"

namespace quenmark::testing {

// Version information held in a map of field names to texts.
class FakeVersionInfo : public VersionInfo {
 public:
  FakeVersionInfo() = default;
  explicit FakeVersionInfo(std::map<std::string, std::string> fields)
      : fields_(std::move(fields)) {}
  std::string field(const std::string& name) const override {
    auto it = fields_.find(name);
    return it == fields_.end() ? std::string() : it->second;
  }

 private:
  std::map<std::string, std::string> fields_;
};

}  // namespace quenmark::testing
