#pragma once

#include <string>
#include <string_view>

namespace quenmark {

// The block between "<TAG>" (first occurrence) and the last "</TAG>"; the tag is
// upper-cased, the search is case-sensitive. A missing opening tag starts the cut at
// character position len("<TAG>") (1-based), as the schedule files have always been read.
std::string getTagText(std::string_view text, std::string_view tag);

// The value after the first occurrence of key + "=" anywhere in the text, up to the next
// CR LF; empty when the key is absent or no CR LF follows the value.
std::string getKeyValue(std::string_view text, std::string_view key);

}  // namespace quenmark
