#include "core/cli/message.h"

#include <vector>

namespace quenmark::cli {
namespace {

const std::string kRequestHeader = "Quenmark request " + std::to_string(kMessageVersion) + "\n";
const std::string kReplyHeader = "Quenmark reply " + std::to_string(kMessageVersion) + "\n";

void appendField(std::string& out, std::string_view field) {
  out += std::to_string(field.size());
  out += ':';
  out += field;
}

// The next field of a message: its length, ":", its bytes. Nothing when the message is torn.
std::optional<std::string_view> nextField(std::string_view& rest) {
  std::size_t length = 0;
  std::size_t i = 0;
  for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
    if (i >= 9) return std::nullopt;  // no field of ours comes near a gigabyte
    length = length * 10 + static_cast<std::size_t>(rest[i] - '0');
  }
  // One way to write each length: no leading zeros.
  if (i == 0 || (i > 1 && rest[0] == '0') || i >= rest.size() || rest[i] != ':' ||
      rest.size() - i - 1 < length) {
    return std::nullopt;
  }
  const std::string_view field = rest.substr(i + 1, length);
  rest.remove_prefix(i + 1 + length);
  return field;
}

bool takeHeader(std::string_view& message, const std::string& header) {
  if (message.substr(0, header.size()) != header) return false;
  message.remove_prefix(header.size());
  return true;
}

}  // namespace

std::string encodeRequest(const Request& request) {
  std::string out = kRequestHeader;
  for (const std::string& arg : argumentsOf(request)) appendField(out, arg);
  return out;
}

std::optional<Request> decodeRequest(std::string_view message) {
  if (!takeHeader(message, kRequestHeader)) return std::nullopt;
  std::vector<std::string> args;
  while (!message.empty()) {
    const auto field = nextField(message);
    if (!field) return std::nullopt;
    args.emplace_back(*field);
  }
  return parseArguments(args).request;
}

std::string encodeReply(const Reply& reply) {
  std::string out = kReplyHeader;
  appendField(out, std::to_string(static_cast<int>(reply.code)));
  appendField(out, reply.text);
  return out;
}

std::optional<Reply> decodeReply(std::string_view message) {
  if (!takeHeader(message, kReplyHeader)) return std::nullopt;
  const auto code = nextField(message);
  const auto text = code ? nextField(message) : std::nullopt;
  if (!text || !message.empty() || code->size() != 1 || (*code)[0] < '0' ||
      (*code)[0] - '0' >= kExitCodeCount) {
    return std::nullopt;
  }
  return Reply{static_cast<ExitCode>((*code)[0] - '0'), std::string(*text)};
}

}  // namespace quenmark::cli
