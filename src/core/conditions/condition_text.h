#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/conditions/condition_watch.h"

namespace quenmark {

// A message text of the language catalogue, by key.
using ConditionMessages = std::function<std::string(const std::string& key)>;

// What the entry's "Next Run Time" column says while it waits: what it waits for and, for
// the measured conditions, the present value and how long the condition has held so far
// ("CPU 34 %, 2 of 10 min below 5 %"); and that the computer is kept awake meanwhile. The
// texts are the catalogue's "MSG_WHEN..." messages, whose "%1", "%2", ... stand for the
// names and numbers filled in.
std::string describeCondition(const Condition& c, const ConditionStatus& status,
                              const ConditionMessages& message);

}  // namespace quenmark
