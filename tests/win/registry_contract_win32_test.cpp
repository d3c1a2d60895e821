#include <windows.h>

#include "platform/win32/registry_win32.h"
#include "support/registry_contract.h"

namespace quenmark::testing {
namespace {

struct RealEnv {
  win32::Win32Registry real;
  Registry& registry() { return real; }
  void clean() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuenmarkContract"); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, RealEnv);

}  // namespace
}  // namespace quenmark::testing
