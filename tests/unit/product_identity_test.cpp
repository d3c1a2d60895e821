#include "base/product_identity.h"

#include <gtest/gtest.h>

#include "support/fake_version_info.h"

namespace quenmark {
namespace {

using testing::FakeVersionInfo;

TEST(ProductIdentity, EmptyUntilInitialised) {
  ProductIdentity id;
  EXPECT_EQ(id.ProgramName, "");
  EXPECT_EQ(id.CompanyName, "");
  EXPECT_EQ(id.Website, "");
  EXPECT_EQ(id.ProductNumber, 0);
  EXPECT_FALSE(id.SkinEnabled);
}

TEST(ProductIdentity, ReadsTheThreeFieldsAndSetsTheSwitches) {
  FakeVersionInfo info({{"ProductName", "Quenmark"},
                        {"CompanyName", "Tarvossa"},
                        {"Comments", "quenmark.example"},
                        {"FileDescription", "something else"}});
  ProductIdentity id;
  InitProductIdentity(id, info);
  EXPECT_EQ(id.ProgramName, "Quenmark");
  EXPECT_EQ(id.CompanyName, "Tarvossa");
  EXPECT_EQ(id.Website, "quenmark.example");
  EXPECT_EQ(id.ProductNumber, 25);
  EXPECT_TRUE(id.SkinEnabled);

  InitProductIdentity(id, info);  // again: the same values
  EXPECT_EQ(id.ProgramName, "Quenmark");
  EXPECT_EQ(id.Website, "quenmark.example");
  EXPECT_EQ(id.ProductNumber, 25);
}

TEST(ProductIdentity, MissingCommentsGiveAnEmptyWebsite) {
  ProductIdentity id;
  id.Website = "stale.example";
  InitProductIdentity(
      id, FakeVersionInfo(std::map<std::string, std::string>{{"ProductName", "Quenmark"}}));
  EXPECT_EQ(id.Website, "");
  EXPECT_EQ(id.CompanyName, "");
  EXPECT_EQ(id.ProgramName, "Quenmark");
}

}  // namespace
}  // namespace quenmark
