#pragma once

#include "platform/version_info.h"
#include "base/identity.h"

namespace quenmark {

// The product number at the maker's site, part of the language-file download path.
inline constexpr std::int16_t kProductNumber = 25;

// Fills the identity from the program's own version information: ProgramName from
// ProductName, CompanyName from CompanyName, Website from Comments; ProductNumber 25 and
// SkinEnabled true. Running it again sets the same values.
void InitProductIdentity(ProductIdentity& identity, const VersionInfo& versionInfo);

}  // namespace quenmark
