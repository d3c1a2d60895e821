#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace quenmark::testing {

// A file of the bad-input catalogue (tests/data/bad-inputs, described in its MANIFEST.md),
// byte for byte; empty when it cannot be read.
inline std::string badInput(const std::string& name) {
  const std::string here = __FILE__;
  std::ifstream in(here.substr(0, here.rfind("support")) + "data/bad-inputs/" + name,
                   std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quenmark::testing
