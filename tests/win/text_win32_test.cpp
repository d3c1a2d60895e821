#include <gtest/gtest.h>

#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

TEST(TextWin32, WidenAndNarrowRoundTripUnicode) {
  const std::string samples[] = {"", "plain", "caf\u00e9", "\u041f\u0440\u0438\u0432\u0435\u0442",
                                 "\u65e5\u672c\u8a9e", "\U0001F600"};
  for (const auto& s : samples) EXPECT_EQ(narrow(widen(s)), s);
  EXPECT_EQ(widen("\u00e9"), std::wstring(L"\u00e9"));
}

TEST(TextWin32, ErrorDescriptionHasNoTrailingLineBreak) {
  std::string d = errorDescription(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(d.empty());
  EXPECT_NE(d.back(), '\n');
  EXPECT_NE(d.find("ccess"), std::string::npos);
}

}  // namespace
}  // namespace quenmark::win32
