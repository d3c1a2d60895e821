#pragma once

// Behaviour every Registry must show, checked against the fake natively and against the
// real registry under Wine, so that tests written against the fake mean the same thing.
// An environment type provides `Registry& registry()` and `void clean()`, which removes
// everything below kContractRoot under HKEY_CURRENT_USER.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry.h"

namespace quenmark::testing {

inline constexpr char kContractRoot[] = "Software\\QuenmarkContract";

template <class Env>
class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override { env.clean(); }
  void TearDown() override {
    for (RegKey k : opened) reg().closeKey(k);
    env.clean();
  }
  Registry& reg() { return env.registry(); }
  static std::string path(const std::string& sub = "") {
    return sub.empty() ? kContractRoot : std::string(kContractRoot) + "\\" + sub;
  }
  // Creates (or opens) a key below the contract root and keeps it for closing.
  RegKey create(const std::string& sub = "") {
    RegKey k = 0;
    EXPECT_EQ(reg().createKeyEx(reg::kHkeyCurrentUser, path(sub), reg::kKeyReadWriteLink, k), 0);
    opened.push_back(k);
    return k;
  }
  RegStatus open(const std::string& sub) {
    RegKey k = 0;
    RegStatus r = reg().openKeyEx(reg::kHkeyCurrentUser, path(sub), reg::kKeyRead, k);
    if (r == 0) opened.push_back(k);
    return r;
  }

  Env env;
  std::vector<RegKey> opened;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, KeysMustExistToBeOpenedAndMatchWithoutCase) {
  RegKey k = 0;
  EXPECT_EQ(this->open("A"), reg::kErrorFileNotFound);
  EXPECT_EQ(this->reg().openKey(reg::kHkeyCurrentUser, this->path("A"), k),
            reg::kErrorFileNotFound);
  this->create("A\\B\\C");  // with its missing parents
  EXPECT_EQ(this->open("a"), 0);
  EXPECT_EQ(this->open("A\\b\\C"), 0);
  EXPECT_EQ(this->open("A\\B\\C\\D"), reg::kErrorFileNotFound);
}

TYPED_TEST_P(RegistryContract, StringValuesKeepOneZeroAndMatchWithoutCase) {
  RegKey k = this->create();
  ASSERT_EQ(this->reg().setValue(k, "txtport", reg::kRegSz, "25\u00e9\u041c"), 0);
  std::uint32_t type = 0, size = 0;
  ASSERT_EQ(this->reg().queryValueInfo(k, "txtPort", type, size), 0);
  EXPECT_EQ(type, reg::kRegSz);
  EXPECT_EQ(size, 5u * 2u);  // four characters and the zero in UTF-16
  std::string data;
  EXPECT_EQ(this->reg().queryValue(k, "TXTPORT", size - 2, type, data), reg::kErrorMoreData);
  ASSERT_EQ(this->reg().queryValue(k, "TXTPORT", size, type, data), 0);
  EXPECT_EQ(data, std::string("25\u00e9\u041c") + '\0');
  ASSERT_EQ(this->reg().setValue(k, "empty", reg::kRegSz, ""), 0);
  ASSERT_EQ(this->reg().queryValueInfo(k, "empty", type, size), 0);
  EXPECT_EQ(size, 2u);
}

TYPED_TEST_P(RegistryContract, ValuesAreReplacedAndDeleted) {
  RegKey k = this->create();
  const std::string four("\x04\x03\x02\x01", 4);
  ASSERT_EQ(this->reg().setValue(k, "v", reg::kRegSz, "text"), 0);
  ASSERT_EQ(this->reg().setValue(k, "V", reg::kRegDword, four), 0);
  std::uint32_t type = 0, size = 0;
  std::string data;
  ASSERT_EQ(this->reg().queryValue(k, "v", 4, type, data), 0);
  EXPECT_EQ(type, reg::kRegDword);
  EXPECT_EQ(data, four);
  EXPECT_EQ(this->reg().deleteValue(k, "V"), 0);
  EXPECT_EQ(this->reg().queryValueInfo(k, "v", type, size), reg::kErrorFileNotFound);
  EXPECT_EQ(this->reg().deleteValue(k, "v"), reg::kErrorFileNotFound);
}

TYPED_TEST_P(RegistryContract, KeysWithSubkeysAreNotDeleted) {
  this->create("P\\Q");
  EXPECT_EQ(this->reg().deleteKey(reg::kHkeyCurrentUser, this->path("P")), reg::kErrorAccessDenied);
  EXPECT_EQ(this->reg().deleteKey(reg::kHkeyCurrentUser, this->path("p\\q")), 0);
  EXPECT_EQ(this->reg().deleteKey(reg::kHkeyCurrentUser, this->path("P")), 0);
  EXPECT_EQ(this->open("P"), reg::kErrorFileNotFound);
  EXPECT_EQ(this->reg().deleteKey(reg::kHkeyCurrentUser, this->path("P")), reg::kErrorFileNotFound);
}

TYPED_TEST_P(RegistryContract, OpenKeyWithAnEmptyPathGivesTheSameHandle) {
  RegKey k = this->create();
  RegKey same = 0;
  ASSERT_EQ(this->reg().openKey(k, "", same), 0);
  EXPECT_EQ(same, k);
}

TYPED_TEST_P(RegistryContract, ClosedOrUnknownHandlesAreRefused) {
  RegKey k = 0;
  ASSERT_EQ(this->reg().createKeyEx(reg::kHkeyCurrentUser, this->path(), reg::kKeyReadWriteLink, k),
            0);
  EXPECT_EQ(this->reg().closeKey(k), 0);
  EXPECT_EQ(this->reg().closeKey(0x7770), reg::kErrorInvalidHandle);
  EXPECT_EQ(this->reg().closeKey(reg::kHkeyCurrentUser), 0);  // a root may always be closed
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, KeysMustExistToBeOpenedAndMatchWithoutCase,
                            StringValuesKeepOneZeroAndMatchWithoutCase, ValuesAreReplacedAndDeleted,
                            KeysWithSubkeysAreNotDeleted, OpenKeyWithAnEmptyPathGivesTheSameHandle,
                            ClosedOrUnknownHandlesAreRefused);

}  // namespace quenmark::testing
