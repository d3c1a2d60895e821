#include "base/product_identity.h"

namespace quenmark {

void InitProductIdentity(ProductIdentity& identity, const VersionInfo& versionInfo) {
  identity.ProgramName = versionInfo.field("ProductName");
  identity.CompanyName = versionInfo.field("CompanyName");
  identity.Website = versionInfo.field("Comments");
  identity.ProductNumber = kProductNumber;
  identity.SkinEnabled = true;
}

}  // namespace quenmark
