// Arbitrary command lines (the input split at NUL bytes into arguments) and arbitrary
// hand-over messages. Nothing may crash; every accepted request writes back to arguments
// that read to the same request and are written back unchanged, and its message reads back
// to it too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/cli/message.h"
#include "core/cli/request.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quenmark::cli;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::vector<std::string> args;
  for (std::size_t from = 0; from <= text.size() && args.size() < 32;) {
    const std::size_t nul = text.find('\0', from);
    const std::size_t end = nul == std::string_view::npos ? text.size() : nul;
    args.emplace_back(text.substr(from, end - from));
    from = end + 1;
  }
  if (size == 0) args.clear();

  const Parsed parsed = parseArguments(args);
  // A refusal names one of the arguments (none only when there are none).
  if (!parsed.request) {
    FUZZ_CHECK(args.empty() ||
               std::find(args.begin(), args.end(), parsed.notUnderstood) != args.end());
  }
  if (parsed.request) {
    const std::vector<std::string> written = argumentsOf(*parsed.request);
    const Parsed again = parseArguments(written);
    FUZZ_CHECK(again.request == parsed.request);
    FUZZ_CHECK(argumentsOf(*again.request) == written);
    FUZZ_CHECK(decodeRequest(encodeRequest(*parsed.request)) == parsed.request);
  }

  // The same bytes as a message of either kind.
  if (const auto request = decodeRequest(text)) {
    FUZZ_CHECK(decodeRequest(encodeRequest(*request)) == request);
  }
  if (const auto reply = decodeReply(text)) FUZZ_CHECK(encodeReply(*reply) == text);
  return 0;
}
