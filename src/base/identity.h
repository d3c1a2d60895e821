#pragma once

#include <cstdint>
#include <string>

namespace quenmark {

// The program's own name, maker and website, read from its version information at start.
// Empty, 0 and false until read.
struct ProductIdentity {
  std::string ProgramName;  // ProductName
  std::string CompanyName;  // CompanyName
  std::string Website;      // Comments: a bare host name
  std::int16_t ProductNumber = 0;
  bool SkinEnabled = false;
};

}  // namespace quenmark
