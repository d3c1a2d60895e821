#include <gtest/gtest.h>

#include "core/settings/options_logic.h"

namespace quenmark::options {
namespace {

TEST(OptionsLogic, StoredCheckBoxTextIsTakenAsAWholeNumber) {
  const struct {
    const char* stored;
    int value;
  } cases[] = {{"0", 0},   {"1", 1},  {"2", 2},  {" 1 ", 1},        {"01", 1},
               {"+1", 1},  {"", 0},   {"3", 0},  {"-1", 0},         {"1.0", 0},
               {"yes", 0}, {"1x", 0}, {"  ", 0}, {"99999999999", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(checkValue(c.stored), c.value) << '"' << c.stored << '"';
  }
}

}  // namespace
}  // namespace quenmark::options
