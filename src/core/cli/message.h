#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/cli/request.h"

// What a start with arguments and the running program hand each other: the request, and the
// answer with its exit code and its text. Each message opens with a line naming it and its
// version; a message of another version is not read, so an older program never acts on a
// request it would read otherwise.
namespace quenmark::cli {

inline constexpr int kMessageVersion = 1;

// The request as its arguments (argumentsOf), each written as its length in decimal, ":" and
// its bytes, so that no byte of an argument can end it early.
std::string encodeRequest(const Request& request);
// The request of a message; nothing when the message is of another version, torn, or holds
// arguments parseArguments refuses.
std::optional<Request> decodeRequest(std::string_view message);

// What the caller prints and the code it ends with.
struct Reply {
  ExitCode code = ExitCode::Done;
  std::string text;  // UTF-8, lines ending in CR LF

  friend bool operator==(const Reply&, const Reply&) = default;
};

std::string encodeReply(const Reply& reply);
std::optional<Reply> decodeReply(std::string_view message);

}  // namespace quenmark::cli
